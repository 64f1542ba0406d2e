"""The module's results equal tarvo-cli's: groups, labels, stems, suffixes,
suspicious groups, new words, automatic words and saved files, on the sample
list and on random lists in byte and character mode."""
import random

import pytest

import tarvo
from conftest import cli, cli_lines, cli_options

LOOSE = {"min_words": 1, "min_suffixes": 1, "groups_shown": 12}


def check_against_cli(path, settings, distance=2):
    options = cli_options(settings)
    analysis = tarvo.open(path, raw=True, **settings)
    groups = analysis.groups
    assert groups, "the list has main groups to compare"
    expected = [line.split(b"\t") for line in cli_lines("groups", path, *options)]
    assert [[b"%d" % g.state, b"%d" % g.stem_count, b"%d" % g.suffix_count, b"%.6f" % g.score, g.label]
            for g in groups] == expected
    stats = dict(line.split(b": ") for line in cli_lines("stats", path, *options))
    assert analysis.distinct_words == int(stats[b"distinct words"])
    assert analysis.group_count == int(stats[b"states"])
    assert analysis.characters == (stats[b"mode"] == b"characters")

    for main in groups:
        state = str(main.state)
        assert main.stems == cli_lines("words", path, state, *options)
        assert main.suffixes == cli_lines("suffixes", path, state, *options)
        suspicious = analysis.suspicious(main, distance)
        assert [[b"%d" % g.state, b"%d" % g.stem_count, b"%d" % g.suffix_count, g.label] for g in suspicious] == \
            [line.split(b"\t") for line in cli_lines("suspicious", path, state, f"--distance={distance}", *options)]
        for group in suspicious[:3]:
            assert analysis.new_words(group, main) == cli_lines("generate", path, str(group.state), state, *options)
        assert analysis.automatic(main, distance) == \
            cli_lines("automatic", path, state, f"--distance={distance}", *options)
    return analysis


def test_sample_list_matches_cli(sample_list):
    check_against_cli(sample_list, {})
    check_against_cli(sample_list, {"suffix_weight": 2.5, "word_weight": -0.5, "groups_shown": 5}, distance=1)


def random_words(rng, alphabet, count):
    stems = ["".join(rng.choice(alphabet) for _ in range(rng.randint(1, 5))) for _ in range(count // 4)]
    suffixes = ["", "a", "en", "\u0119", "s", "\u00e9s", "ing", "\u015bci"]
    return [rng.choice(stems) + rng.choice(suffixes) for _ in range(count)]


@pytest.mark.parametrize("seed", range(4))
def test_random_lists_match_cli(tmp_path, seed):
    rng = random.Random(seed)
    words = random_words(rng, "abcdeklmnorst\u00e9\u0142\u0105", 600)
    # Seeds 0 and 1 write UTF-8 (1 in character mode); 2 and 3 Latin-1,
    # where the Polish letters become '?'. Seeds 1 and 3 read the words
    # backwards (prefix mode).
    encoding = "utf-8" if seed < 2 else "latin-1"
    path = tmp_path / "list.txt"
    path.write_bytes("\n".join(words).encode(encoding, "replace") + b"\n")
    settings = dict(LOOSE, chars=seed == 1, prefixes=seed % 2 == 1)
    analysis = check_against_cli(str(path), settings, distance=1 + seed % 2)
    assert analysis.characters == (seed == 1)

    # The same words as an iterable make the same analysis.
    given = [word.encode(encoding, "replace") for word in words]
    from_words = tarvo.open(given, raw=True, **settings)
    assert from_words.to_records() == analysis.to_records()
    assert from_words.words_read == analysis.words_read == len(words)

    # Inserting and saving writes what tarvo-cli save-all --insert writes.
    main = analysis.groups[0]
    # The start state may be suspicious too; its empty stem proposes no word.
    proposed = [word for word in analysis.automatic(main, 1) if word]
    assert analysis.insert(proposed) == []
    inserted = tmp_path / "inserted.txt"
    inserted.write_bytes(b"".join(word + b"\n" for word in proposed))
    analysis.save(tmp_path / "module.txt")
    cli("save-all", str(path), str(tmp_path / "cli.txt"), "--insert", str(inserted), *cli_options(settings))
    assert (tmp_path / "module.txt").read_bytes() == (tmp_path / "cli.txt").read_bytes()
    assert [r["state"] for r in analysis.to_records()] == \
        [int(line.split(b"\t")[0]) for line in cli_lines("groups", str(path), "--insert", str(inserted),
                                                          *cli_options(settings))]
