#!/usr/bin/env python3
"""Generate the bundled sample word list, data/sample-words.txt.

The list is built from hand-written English stems, each expanded with a
fixed set of endings, so that stems sharing exactly the same endings form
clear suffix groups:

  verbs        walk:  "", s, ed, ing, er, ers     (walk, walks, ... walkers)
  e-verbs      bak:   e, es, ed, ing, er, ers     (bake, bakes, ... bakers)
  nouns        care:  "", s, ful, fully, less, lessly
  adjectives   dark:  "", er, est, ly, ness, en
  t-verbs      act:   "", s, ed, ing, ion, ions

Each group also has a few "near miss" stems listed without one or two of
the group's endings (although the missing words are real English), so a
search for groups close to a large group finds something worth checking.
A short list of common unrelated words is mixed in as background.

The output is sorted, deduplicated, plain ASCII, one word per line.
Run from anywhere: python3 scripts/make-sample-words.py
"""

import os

VERB_ENDINGS = ["", "s", "ed", "ing", "er", "ers"]
VERB_STEMS = """
    walk talk jump kick lift print hunt farm work play climb clean cook burn
    heat load mark open own pack plant point report rock start test train
    view toast track hack crack boil roll stalk bank bowl camp learn dream
    lock look
"""
# Real forms left out: waiter(s), caller(s), filler(s), picker(s), killer(s).
VERB_NO_AGENT = """wait call fill pick kill"""
# Real forms left out: sorters, roasters, floaters.
VERB_NO_AGENT_PLURAL = """sort roast float"""

E_VERB_ENDINGS = ["e", "es", "ed", "ing", "er", "ers"]
E_VERB_STEMS = """
    bak danc skat hik bik rac rul trad vot smok jok sav serv scor shav
    manag produc chas charg bounc announc compos invad observ explor settl
    juggl gambl wrestl din tim
"""
# Real forms left out: wiper(s), grater(s), slicer(s), scraper(s), poker(s).
E_VERB_NO_AGENT = """wip grat slic scrap pok"""
# Real forms left out: providers, consumers, purchasers.
E_VERB_NO_AGENT_PLURAL = """provid consum purchas"""

NOUN_ENDINGS = ["", "s", "ful", "fully", "less", "lessly"]
NOUN_STEMS = """
    care hope harm power faith fruit meaning purpose thought grace joy law
    need art color help rest cheer thank tune use fear
"""
# Real forms left out: mindlessly, doubtlessly, shamelessly, painlessly.
NOUN_NO_LESSLY = """mind doubt shame pain"""
# Real forms left out: tastefully, tastelessly, tactfully, tactlessly, ...
NOUN_NO_ADVERBS = """taste tact heed"""

ADJ_ENDINGS = ["", "er", "est", "ly", "ness", "en"]
ADJ_STEMS = """
    dark sharp bright light soft hard tight deep weak sweet short black
    broad sick quiet smart slack cheap dead moist steep
"""
# Real forms left out: freshness, quickness, thickness.
ADJ_NO_NESS = """fresh quick thick"""
# Real forms left out: stiffly, stiffen, damply, dampen, roughly, ...
ADJ_NO_LY_EN = """stiff damp rough tough"""

ION_ENDINGS = ["", "s", "ed", "ing", "ion", "ions"]
ION_STEMS = """
    act collect connect construct direct detect elect inject inspect object
    project reflect reject select attract interrupt digest insert assert
    distort exempt suggest exhaust exert abort disrupt contort ingest extort
    desert
"""
# Real forms left out: protections, corruptions, distractions, ...
ION_NO_PLURAL = """protect corrupt distract infect erupt"""
# Real forms left out: invention(s), adoption(s), prevention(s).
ION_NO_NOUN = """invent adopt prevent"""

BACKGROUND = """
    the and of to in is it that was for on are with as his they at be this
    from have or by one had not but what all were when we there can an your
    which their said if do will each about how up out them then she many
    some so these would other into has more her two like him see could no
    make than first been its who now people my made over did down only way
    find may water long little very after words just where most know
"""


def expand(stems, endings, drop=()):
    """Return every stem + ending, except the endings listed in drop."""
    return [s + e for s in stems.split() for e in endings if e not in drop]


def build():
    words = []
    words += expand(VERB_STEMS, VERB_ENDINGS)
    words += expand(VERB_NO_AGENT, VERB_ENDINGS, ("er", "ers"))
    words += expand(VERB_NO_AGENT_PLURAL, VERB_ENDINGS, ("ers",))
    words += expand(E_VERB_STEMS, E_VERB_ENDINGS)
    words += expand(E_VERB_NO_AGENT, E_VERB_ENDINGS, ("er", "ers"))
    words += expand(E_VERB_NO_AGENT_PLURAL, E_VERB_ENDINGS, ("ers",))
    words += expand(NOUN_STEMS, NOUN_ENDINGS)
    words += expand(NOUN_NO_LESSLY, NOUN_ENDINGS, ("lessly",))
    words += expand(NOUN_NO_ADVERBS, NOUN_ENDINGS, ("fully", "lessly"))
    words += expand(ADJ_STEMS, ADJ_ENDINGS)
    words += expand(ADJ_NO_NESS, ADJ_ENDINGS, ("ness",))
    words += expand(ADJ_NO_LY_EN, ADJ_ENDINGS, ("ly", "en"))
    words += expand(ION_STEMS, ION_ENDINGS)
    words += expand(ION_NO_PLURAL, ION_ENDINGS, ("ions",))
    words += expand(ION_NO_NOUN, ION_ENDINGS, ("ion", "ions"))
    words += BACKGROUND.split()
    return sorted(set(words))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(root, "data", "sample-words.txt")
    words = build()
    for w in words:
        assert w.isascii() and w.isalpha() and w.islower(), w
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "w", encoding="ascii", newline="\n") as f:
        f.write("".join(w + "\n" for w in words))
    print("wrote %d words to %s" % (len(words), out))


if __name__ == "__main__":
    main()
