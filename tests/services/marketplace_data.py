"""The shops the substitute marketplace knows.

A listing is the list of shops one keyword finds in one province, ordered by
seller credit, highest first, as the real service sorts them with
"sort=credit-desc". Listings come from an explicit shop file (tab-separated,
UTF-8) or, for every other keyword and province, are made up from the seed:
the same seed, keyword and province always give the same shops.

Shop file lines (empty lines and lines starting with "#" are skipped):

    keyword  province  name  nick  items  sales  rank  category  online

A line with only keyword and province declares an empty listing. "online" is
the presence status the presence service answers for that nick: "1", "0",
any other text (sent as it is), or "-" for an answer without the status
markers.
"""

import random
from dataclasses import dataclass

NO_RESULT_PROVINCE = "西藏"  # made-up listings: this province never has shops

_SYLLABLES = "小 店 铺 精 品 时 尚 优 选 家 居 生 活 馆 杂 货 旗 舰 专 卖 工 作 室 阿 明 丽 华 美 乐 淘 宝 贝 老 街 坊 新 鲜 果 园 茶 叶 书 屋 手".split()
_ASCII_WORDS = "happy lucky star moon sun blue green fresh daily home style smart mini".split()
_CATEGORIES = ["女装", "男装", "鞋靴", "箱包", "美妆", "家居", "数码", "食品", "母婴", "玩具",
               "运动户外", "珠宝配饰", "家用电器", "图书音像", "汽车用品", "宠物用品", "Books", ""]


@dataclass(frozen=True)
class Shop:
    name: str
    nick: str
    items: str
    sales: str
    rank: str
    category: str
    online: str


def _credit(shop):
    try:
        return int(shop.rank)
    except ValueError:
        return -1


def by_credit(shops):
    """Highest credit first; equal credits keep their order."""
    return sorted(shops, key=_credit, reverse=True)


def _made_up_shop(rng, index):
    if rng.random() < 0.5:
        name = "".join(rng.choice(_SYLLABLES) for _ in range(rng.randint(2, 6)))
        nick = "".join(rng.choice(_SYLLABLES) for _ in range(rng.randint(2, 3))) + str(rng.randint(1, 999))
    else:
        name = " ".join(rng.choice(_ASCII_WORDS) for _ in range(rng.randint(1, 3))).title() + " Shop"
        nick = rng.choice(_ASCII_WORDS) + rng.choice(["", "_", "-", "."]) + str(rng.randint(10, 99999))
    rank = min(int(rng.expovariate(0.9)), 20)  # most small sellers have no credit yet
    return Shop(name=name, nick=f"{nick}{index}", items=str(rng.randint(0, 3000)),
                sales=str(rng.randint(0, 20000)), rank=str(rank), category=rng.choice(_CATEGORIES),
                online=rng.choice("0011"))


class Dataset:
    def __init__(self, seed=1, shop_file=None):
        self.seed = seed
        self._listings = {}
        self._made_up = {}
        self._presence = {}
        if shop_file:
            self._load(shop_file)

    def _load(self, path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.rstrip("\r\n")
                if not line or line.startswith("#"):
                    continue
                fields = line.split("\t")
                listing = self._listings.setdefault((fields[0], fields[1]), [])
                if len(fields) >= 9:
                    shop = Shop(*fields[2:9])
                    listing.append(shop)
                    self._presence.setdefault(shop.nick, shop.online)
        for key, shops in self._listings.items():
            self._listings[key] = by_credit(shops)

    def listing(self, keyword, province):
        """The shops `keyword` finds in `province`, highest credit first."""
        key = (keyword, province)
        if key in self._listings:
            return self._listings[key]
        if key not in self._made_up:
            self._made_up[key] = self._make_up(keyword, province)
        return self._made_up[key]

    def _make_up(self, keyword, province):
        if province == NO_RESULT_PROVINCE or not keyword:
            return []
        rng = random.Random(f"{self.seed}\0{keyword}\0{province}")
        shops = by_credit(_made_up_shop(rng, i) for i in range(rng.randint(0, 90)))
        for shop in shops:
            self._presence.setdefault(shop.nick, shop.online)
        return shops

    def presence(self, nick):
        """The status of `nick`; an unknown nick gets one from the seed."""
        if nick in self._presence:
            return self._presence[nick]
        return random.Random(f"{self.seed}\0presence\0{nick}").choice("01")
