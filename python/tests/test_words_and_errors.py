"""Words as str and bytes, the settings as keywords, groups that outlive an
insert, and errors as the Python exceptions they map to."""
import errno
import faulthandler
import os
import threading

import pytest

import tarvo

LOOSE = {"min_words": 1, "min_suffixes": 1}
WORDS = ["walk", "walks", "walked", "talk", "talks", "talked", "jump", "jumped", "kick", "kicked"]


def group_labelled(analysis, label):
    return next(group for group in analysis.groups if group.label == label)


def test_words_decode_as_the_list_and_encode_back_losslessly(tmp_path):
    # A UTF-8 list: a suffix group may cut "ść" in two; the cut bytes come
    # back as surrogates and go back in as the same bytes.
    utf8 = ["gość", "gośćmi", "kość", "kośćmi", "złość", "złośćmi"]
    analysis = tarvo.open(utf8, **LOOSE)
    raw = tarvo.open([w.encode() for w in utf8], raw=True, **LOOSE)
    assert analysis.encoding == raw.encoding == "utf-8"
    for group, raw_group in zip(analysis.groups, raw.groups):
        assert group.label.encode("utf-8", "surrogateescape") == raw_group.label
        assert [s.encode("utf-8", "surrogateescape") for s in group.stems] == raw_group.stems
    stems = [stem for group in analysis.groups for stem in group.stems]
    assert any("\udcc5" in stem or "\udcc4" in stem for stem in stems), stems
    assert "gość" in [s + suffix for g in analysis.groups for s in g.stems for suffix in g.suffixes]

    # A list with a word that is not UTF-8 is Latin-1 throughout.
    path = tmp_path / "latin1.txt"
    path.write_bytes(b"caf\xe9 caf\xe9s th\xe9 th\xe9s\n")
    latin1 = tarvo.open(path, **LOOSE)
    assert latin1.encoding == "latin-1"
    assert sorted(group_labelled(latin1, "-{} -s").stems) == ["café", "thé"]
    assert latin1.insert(["naïve", b"\xffx"]) == []
    with pytest.raises(UnicodeEncodeError):  # a ValueError: no Latin-1 for "ś"
        latin1.insert(["świt"])
    latin1.save(tmp_path / "saved.txt")
    assert sorted((tmp_path / "saved.txt").read_bytes().split()) == \
        sorted([b"caf\xe9", b"caf\xe9s", b"th\xe9", b"th\xe9s", b"na\xefve", b"\xffx"])


def test_settings_are_keywords_checked_like_the_program():
    analysis = tarvo.open(WORDS, min_words=1, min_suffixes=1, suffix_weight=2.0, groups_shown=1, chars=True)
    assert analysis.settings == {"min_words": 1, "min_suffixes": 1, "word_weight": 1.0, "suffix_weight": 2.0,
                                 "groups_shown": 1, "buffer_size": 10000, "chars": True,
                                 "prefixes": False}
    assert len(analysis.groups) == 1 and analysis.characters
    for bad, message in [({"min_words": 0}, "min_words must be 1 to 2147483647, not 0"),
                         ({"min_suffixes": 2**31}, "min_suffixes must be 1 to 2147483647"),
                         ({"suffix_weight": 0.5}, "suffix_weight must be 1 to 100, not 0.5"),
                         ({"buffer_size": 9}, "buffer_size must be 10 to 2147483647"),
                         ({"groups_shown": -1}, "groups_shown must be 1 to"),
                         ({"word_weight": float("nan")}, "word_weight must be a finite number"),
                         ({"word_weight": 1e300}, "word_weight must be a finite number")]:
        with pytest.raises(ValueError, match=message):
            tarvo.open(WORDS, **bad)
    for bad in [{"min_words": 2.0}, {"min_words": True}, {"chars": 1}, {"word_weight": "1"}, {"colour": 1}]:
        with pytest.raises(TypeError):
            tarvo.open(WORDS, **bad)


def test_groups_words_and_states_are_checked():
    analysis = tarvo.open(WORDS, **LOOSE)
    main = group_labelled(analysis, "-{} -ed -s")
    assert sorted(main.stems) == ["talk", "walk"] and main.suffixes == ["", "ed", "s"]
    assert analysis.stems(main.state) == main.stems and analysis.group(main.state).label == main.label
    lacking = analysis.suspicious(main, 1)
    assert sorted(w for g in lacking for w in analysis.new_words(g, main)) == ["jumps", "kicks"]
    assert sorted(analysis.automatic(main.state, 1)) == ["jumps", "kicks"]

    for state in [0, analysis.group_count + 1, -1]:
        with pytest.raises(ValueError, match="no group"):
            analysis.group(state)
    with pytest.raises(ValueError, match="another analysis"):
        tarvo.open(WORDS, **LOOSE).stems(main)
    for bad_word in ["", "two words", "tab\tword", "nul\0", "x" * 256, b"line\n"]:
        with pytest.raises(ValueError, match="is not a word"):
            analysis.insert([bad_word])
        with pytest.raises(ValueError, match="is not a word"):
            tarvo.open(["fine", bad_word])
    with pytest.raises(TypeError):
        analysis.insert("walking")  # one word, not an iterable of words
    with pytest.raises(TypeError):
        analysis.insert([3])
    assert analysis.distinct_words == len(WORDS), "a refused call inserts nothing"

    assert analysis.insert(["jumps", "kicks"]) == []
    with pytest.raises(ValueError, match="before words were inserted"):
        main.stems
    with pytest.raises(ValueError, match="before words were inserted"):
        analysis.suspicious(main)
    assert analysis.distinct_words == len(WORDS) + 2
    assert group_labelled(analysis, "-{} -ed -s").stem_count == 4


def test_file_errors_are_os_errors_with_errno_and_file_name(tmp_path):
    missing = tmp_path / "missing.txt"
    with pytest.raises(FileNotFoundError) as raised:
        tarvo.open(missing)
    assert raised.value.errno == errno.ENOENT and raised.value.filename == missing
    with pytest.raises(IsADirectoryError):
        tarvo.open(str(tmp_path))

    analysis = tarvo.open(WORDS, **LOOSE)
    target = str(tmp_path / "no-folder" / "out.txt")
    with pytest.raises(FileNotFoundError) as raised:
        analysis.save(target)
    assert raised.value.filename == target
    assert os.listdir(tmp_path) == []

    # Saving over the list it was read from would drop its long token.
    path = tmp_path / "list.txt"
    path.write_bytes(b"walk walks " + b"x" * 300 + b"\n")
    analysis = tarvo.open(path)
    assert analysis.long_tokens_skipped == 1 and analysis.path == str(path)
    with pytest.raises(tarvo.UnstoredWordsError, match="1 word"):
        analysis.save(path)
    with pytest.raises(OSError):
        analysis.save(str(path))
    assert len(path.read_bytes()) == 312
    analysis.save(tmp_path / "other.txt")
    analysis.save(path, force=True)
    assert path.read_bytes() == (tmp_path / "other.txt").read_bytes() == b"walk\nwalks\n"


def test_records_feed_a_table():
    analysis = tarvo.open(WORDS, **LOOSE)
    records = analysis.to_records()
    assert [r["rank"] for r in records] == list(range(1, len(analysis.groups) + 1))
    assert [(r["state"], r["label"], r["stem_count"], r["suffix_count"], r["score"]) for r in records] == \
        [(g.state, g.label, g.stem_count, g.suffix_count, g.score) for g in analysis.groups]


def test_opening_lets_other_threads_run(tmp_path):
    # The list comes through a FIFO that this thread writes only while the
    # other thread's open() waits for it: an open that kept the GIL would
    # never see a word, and the watchdog ends the hung run.
    fifo = tmp_path / "words.fifo"
    os.mkfifo(fifo)
    opened = []
    reader = threading.Thread(target=lambda: opened.append(tarvo.open(fifo, **LOOSE)))
    faulthandler.dump_traceback_later(60, exit=True)
    try:
        reader.start()
        with open(fifo, "w") as writer:
            writer.write(" ".join(WORDS))
        reader.join()
    finally:
        faulthandler.cancel_dump_traceback_later()
    assert opened[0].distinct_words == len(WORDS)
