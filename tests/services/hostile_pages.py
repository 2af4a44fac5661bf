"""Hostile answers of the substitute marketplace's shop search: what a broken,
overloaded or malicious service could send instead of its usual pages.

    normal          the usual pages
    huge            every search page is a 10 MB single line
    unterminated    after the shops, an opening text of each of the seven
                    patterns the program reads, then megabytes with no
                    closing text for any of them
    rank-surplus    "seller-rank" hundreds of times more than there are shops
    unequal         the field lists have different lengths: on every result
                    page the last shop has no name, the last two no item
                    count, the last three no category, and an item count
                    with no shop follows the list
    pages-billion   the page count is 1000000000
    pages-abc       the page count is abc
    garbage-bytes   invalid UTF-8 in the markup and before every shop name,
                    NUL bytes after the shop list
    drip            result pages announce 100 MB and then send a few bytes
                    a second, for as long as the client listens
    drip-chunked    the same, chunked, with no last chunk ever
    reset           result pages announce their length, then the connection
                    is reset in the middle of the third shop
    error-500       result pages are HTTP 500 with an error page as body
    stall           result pages stop for STALL_SECONDS (longer than the
                    program's 30 s limit) without closing, once more than
                    half of the page and all of its shops are sent; then the
                    rest follows
    reset-half      result pages are reset at that same point

Those modes change the result pages only; the probe, shop lookups and
presence stay as usual. The same two cuts exist for the other answers, each
made at the later of the answer's middle and the end of what the program
reads from it, so that a program that took the cut answer for the whole
would show what it read:

    presence-stall, presence-reset-half   presence answers (search and batch)
    lookup-stall, lookup-reset-half       shop lookups by seller id
"""

import socket
import struct
import time
from dataclasses import dataclass

import marketplace_pages as pages

MODES = ["normal", "huge", "unterminated", "rank-surplus", "unequal", "pages-billion", "pages-abc",
         "garbage-bytes", "drip", "drip-chunked", "reset", "error-500", "stall", "reset-half",
         "presence-stall", "presence-reset-half", "lookup-stall", "lookup-reset-half"]

HUGE_BYTES = 10_000_000
UNTERMINATED_BYTES = 4_000_000
SURPLUS_RANKS = 500
DRIP_BYTES = 4
DRIP_PAUSE_SECONDS = 0.5
DRIP_LIMIT_SECONDS = 120
ANNOUNCED_BYTES = 100_000_000
STALL_SECONDS = 40
# What follows a presence status, so that a cut can fall after the status.
PRESENCE_TAIL_BYTES = 4000

# The opening text of each pattern the program reads a page with, in an
# order where none holds a closing text of one before it.
OPENINGS = [',"totalsold":', '"totalPage":', '"rawTitle":"', '"nick":"', '"procnt":',
            'rank seller-rank-', 'ind\\":\\"']
INVALID_UTF8 = b"\xff\xfe\xc3\x28\x80\xbf\xc0\xaf\xed\xa0\x80\xf8\x88\x80\x80\x80\xe4\xb8"

_fillers = {}


def big_filler(seed, size):
    """Markup that holds no closing text of any pattern: no '",', no ',"' and
    no backslash."""
    key = (seed, size)
    if key not in _fillers:
        unit = pages.filler(seed, 1_000_000)
        _fillers[key] = (unit * (size // len(unit) + 1))[:size]
    return _fillers[key]


@dataclass
class Answer:
    body: bytes
    status: int = 200
    delivery: str = "whole"  # whole, drip, drip-chunked, reset or stall
    length: int = 0          # announced length; 0: the body's
    cut: int = 0             # reset, stall: bytes sent before the reset or pause


def _unequal_item(shop, index, place, count):
    """A shop item missing the fields the mode leaves out near the page's end."""
    item = pages.shop_item(shop, index)
    from_end = count - place
    if from_end <= 1:
        start = item.index('"rawTitle":')
        item = item[:start] + item[item.index('"shopUrl"'):]
    if from_end <= 2:
        start = item.index('"procnt":')
        item = item[:start] + item[item.index('"totalsold"'):]
    if from_end <= 3:
        start = item.index(',"dsrInfo":')
        item = item[:start] + item[item.index(',"icons"'):]
    return item


def _page(mode, listing, offset, seed, filler_text):
    shops = listing[offset:offset + pages.SHOPS_PER_PAGE] if offset >= 0 else []
    if mode == "unequal":
        items = [_unequal_item(shop, offset + i, i, len(shops)) for i, shop in enumerate(shops)]
        items.append('{"uid":"0","procnt":7,"x":""}')
    else:
        items = [pages.shop_item(shop, offset + i) for i, shop in enumerate(shops)]
    total_pages = pages.page_count(listing)
    pager = pages.pager(total_pages, offset // pages.SHOPS_PER_PAGE + 1, len(listing))
    if mode == "pages-billion":
        pager = pages.pager(1_000_000_000, offset // pages.SHOPS_PER_PAGE + 1, len(listing))
    elif mode == "pages-abc":
        pager = pager.replace('"totalPage":%d,' % total_pages, '"totalPage":abc,')
    config = ('{"pageName":"spushop","mods":{"shoplist":{"status":"show","data":{"shopItems":[%s]}},%s,'
              '"sortbar":{"status":"show","data":{"sortList":[{"name":"credit","value":"credit-desc"}]}}},'
              '"mainInfo":{"currentUrl":"/search","modLinks":{"filter":"","default":""}}}'
              % (",".join(items), pager))
    if mode == "huge":
        filler_text = big_filler(seed, HUGE_BYTES)
    half = len(filler_text) // 2
    header, footer = filler_text[:half], filler_text[half:]
    if mode == "rank-surplus":
        header = '<i class="seller-rank">seller-rank</i>' * SURPLUS_RANKS + header
    tail = ""
    if mode == "unterminated":
        tail = "<script>" + "".join(OPENINGS) + big_filler(seed, UNTERMINATED_BYTES)
    page = ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>shop search</title></head><body>'
            '<div id="header">%s</div><script>g_page_config = %s;</script><div id="footer">%s</div>%s'
            '</body></html>' % (header, config, footer, tail)).encode("utf-8")
    if mode == "garbage-bytes":
        page = page.replace(b'<div id="header">', b'<div id="header">' + INVALID_UTF8, 1)
        page = page.replace(b'"rawTitle":"', b'"rawTitle":"' + INVALID_UTF8[:4])
        page = page.replace(b'<div id="footer">', b'<div id="footer">\x00\x00' + INVALID_UTF8 + b"\x00", 1)
    return page


def _cut(body, read_end, mode):
    """The answer delivered as `mode` ends in "stall" or "reset-half": cut at
    the later of its middle and `read_end`."""
    cut = max(len(body) // 2, read_end)
    return Answer(body, delivery="stall" if mode.endswith("stall") else "reset", cut=cut)


def search_answer(mode, listing, offset, probe, filler_text, seed):
    body = _page(mode, listing, offset, seed, filler_text)
    if probe:
        return Answer(body)
    if mode in ("drip", "drip-chunked"):
        return Answer(body, delivery=mode, length=ANNOUNCED_BYTES)
    if mode == "reset":
        third = body.find(b'{"uid":"', body.find(b'{"uid":"', body.find(b'{"uid":"') + 1) + 1)
        cut = third + 40 if third >= 0 else len(body) // 2
        return Answer(body, delivery="reset", cut=cut)
    if mode in ("stall", "reset-half"):
        return _cut(body, body.find(b'"pager"'), mode)
    if mode == "error-500":
        page = ("<!DOCTYPE html><html><body><h1>500 Internal Server Error</h1><div>%s</div></body></html>"
                % filler_text[:20000])
        return Answer(page.encode("utf-8"), status=500)
    return Answer(body)


def presence_answer(mode, text, filler_text):
    if mode not in ("presence-stall", "presence-reset-half"):
        return Answer(text.encode("utf-8"))
    body = (text + "/*" + filler_text[:PRESENCE_TAIL_BYTES] + "*/").encode("utf-8")
    status_end = body.find(b";", body.find(b"]=")) + 1
    return _cut(body, status_end, mode)


def lookup_answer(mode, page):
    body = page.encode("utf-8")
    if mode not in ("lookup-stall", "lookup-reset-half"):
        return Answer(body)
    address_end = body.find(b'\\",', body.find(b"shopUrl")) + 3
    return _cut(body, address_end, mode)


def pause(stream, body, cut):
    """The body up to `cut`, a pause longer than any client waits, the rest."""
    try:
        stream.write(body[:cut])
        stream.flush()
        time.sleep(STALL_SECONDS)
        stream.write(body[cut:])
        stream.flush()
    except OSError:
        pass


def reset_connection(connection):
    """Ends the connection with a reset instead of an orderly close."""
    try:
        connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        connection.close()
    except OSError:
        pass


def drip(stream, body, chunked):
    """A few bytes at a time until the client goes away (or the limit)."""
    deadline = time.monotonic() + DRIP_LIMIT_SECONDS
    at = 0
    try:
        while time.monotonic() < deadline:
            piece = body[at:at + DRIP_BYTES] or b" " * DRIP_BYTES
            at += DRIP_BYTES
            stream.write(b"%x\r\n%s\r\n" % (len(piece), piece) if chunked else piece)
            stream.flush()
            time.sleep(DRIP_PAUSE_SECONDS)
    except OSError:
        pass
