"""The answers of the substitute marketplace, in the forms the program reads.

Result pages are single-line HTML documents of a few hundred KB: the page
data sits as JSON in a script, with the shop list among a great deal of
other markup and fields. Each part is its own function so that other answer
modes can reuse or replace it.
"""

import json
import random
import zlib

SHOPS_PER_PAGE = 20


def _js(value):
    return json.dumps(value, ensure_ascii=False, separators=(",", ":"))


def shop_item(shop, index):
    """One shop of the list. The category sits in a JSON text inside the
    JSON, so its quotes arrive escaped; "seller-rank" occurs here only."""
    dsr = _js({"ind": shop.category, "mas": "4.8", "sas": "4.9", "cas": "4.7"})
    return ('{"uid":"%d","title":%s,"nick":%s,"provcity":"","isTmall":false,"rawTitle":%s,'
            '"shopUrl":"//shop%d.market.test","procnt":%s,"totalsold":%s,"goodratePercent":"99.%d%%",'
            '"shopIcon":{"iconClass":"rank seller-rank-%s","title":"credit"},"dsrInfo":{"dsrStr":%s},'
            '"icons":[{"title":"guarantee","iconClass":"icon-service"}]}'
            % (100000 + index, _js("<span class=H>" + shop.name + "</span>"), _js(shop.nick),
               _js(shop.name), 100000 + index, shop.items, shop.sales, index % 10, shop.rank, _js(dsr)))


def pager(total_pages, current_page, total_count):
    return ('"pager":{"status":"show","data":{"pageSize":%d,"totalPage":%d,"currentPage":%d,"totalCount":%d}}'
            % (SHOPS_PER_PAGE, total_pages, current_page, total_count))


def filler(seed, size):
    """Markup around the data: navigation, recommendations, footers."""
    rng = random.Random(f"filler\0{seed}")
    words = "promo banner hot deal season new arrival guide service help about member cart".split()
    parts = []
    length = 0
    while length < size:
        word = rng.choice(words)
        part = ('<div class="grid-item %s"><a href="//www.market.test/%s/%d" data-spm="d%d">%s %s</a>'
                '<span class="price">%d.%02d</span></div>'
                % (word, word, rng.randint(1, 99999), rng.randint(1, 999), word.title(), rng.choice(words),
                   rng.randint(1, 999), rng.randint(0, 99)))
        parts.append(part)
        length += len(part)
    return "".join(parts)


def page_count(listing):
    return (len(listing) + SHOPS_PER_PAGE - 1) // SHOPS_PER_PAGE


def result_page(listing, offset, filler_text):
    """The page of the listing that starts at shop `offset`; the probe is
    the page at offset 0."""
    shops = listing[offset:offset + SHOPS_PER_PAGE] if offset >= 0 else []
    items = ",".join(shop_item(shop, offset + i) for i, shop in enumerate(shops))
    config = ('{"pageName":"spushop","mods":{"shoplist":{"status":"show","data":{"shopItems":[%s]}},%s,'
              '"sortbar":{"status":"show","data":{"sortList":[{"name":"credit","value":"credit-desc"}]}}},'
              '"mainInfo":{"currentUrl":"/search","modLinks":{"filter":"","default":""}}}'
              % (items, pager(page_count(listing), offset // SHOPS_PER_PAGE + 1, len(listing))))
    half = len(filler_text) // 2
    return ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>shop search</title></head><body>'
            '<div id="header">%s</div><script>g_page_config = %s;</script><div id="footer">%s</div>'
            '</body></html>' % (filler_text[:half], config, filler_text[half:]))


def shop_address(nick):
    """Where a seller's shop lives, scheme-relative."""
    return "//shop%d.market.test" % zlib.crc32(nick.encode("utf-8"))


def shop_lookup_page(nick, filler_text):
    """The answer to a search by seller id: the shop's data as JSON inside a
    JSON text, so the address appears as shopUrl\\":\\"//...\\","""
    inner = "" if not nick else _js({"nick": nick, "shopUrl": shop_address(nick), "title": nick})
    return ('<!DOCTYPE html><html><body><div>%s</div><script>var shopData = %s;</script></body></html>'
            % (filler_text[:2000], _js(inner)))


def presence_answer(status):
    """The presence script: the status follows the first "]=" up to ";".
    A status of "-" gives an answer in another form."""
    if status == "-":
        return "var arrStatus = null; // unavailable"
    return "var arrStatus=new Array();arrStatus[0]=%s;" % status
