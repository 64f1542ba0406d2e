"""Suffix groups of a word list: Tarvo's engine for Python."""
import os
from typing import Generic, Iterable, Literal, TypedDict, TypeVar, overload

__version__: str

# A word: str, or bytes for an analysis opened with raw=True.
W = TypeVar("W", str, bytes)

class UnstoredWordsError(OSError):
    """Saving over the list would remove words read from it that could not be stored."""

class Record(TypedDict, Generic[W]):
    rank: int
    state: int
    label: W
    stem_count: int
    suffix_count: int
    score: float

class Settings(TypedDict):
    min_words: int
    min_suffixes: int
    word_weight: float
    suffix_weight: float
    groups_shown: int
    buffer_size: int
    chars: bool
    prefixes: bool

class Group(Generic[W]):
    @property
    def state(self) -> int: ...
    @property
    def label(self) -> W: ...
    @property
    def stem_count(self) -> int: ...
    @property
    def suffix_count(self) -> int: ...
    @property
    def score(self) -> float: ...
    @property
    def stems(self) -> list[W]: ...
    @property
    def suffixes(self) -> list[W]: ...

class Analysis(Generic[W]):
    @property
    def path(self) -> str | None: ...
    @property
    def encoding(self) -> Literal["utf-8", "latin-1"]: ...
    @property
    def raw(self) -> bool: ...
    @property
    def characters(self) -> bool: ...
    @property
    def byte_mode_reason(self) -> str: ...
    @property
    def words_read(self) -> int: ...
    @property
    def long_tokens_skipped(self) -> int: ...
    @property
    def words_refused(self) -> int: ...
    @property
    def distinct_words(self) -> int: ...
    @property
    def group_count(self) -> int: ...
    @property
    def settings(self) -> Settings: ...
    @property
    def groups(self) -> list[Group[W]]: ...
    def group(self, state: int) -> Group[W]: ...
    def stems(self, group: Group[W] | int) -> list[W]: ...
    def suffixes(self, group: Group[W] | int) -> list[W]: ...
    def suspicious(self, main: Group[W] | int, distance: int = 2) -> list[Group[W]]: ...
    def new_words(self, suspicious: Group[W] | int, main: Group[W] | int) -> list[W]: ...
    def automatic(self, main: Group[W] | int, distance: int = 2) -> list[W]: ...
    def insert(self, words: Iterable[str | bytes]) -> list[W]: ...
    def save(self, path: str | bytes | os.PathLike[str] | os.PathLike[bytes], *, force: bool = False) -> None: ...
    def to_records(self) -> list[Record[W]]: ...

Source = str | bytes | os.PathLike[str] | os.PathLike[bytes] | Iterable[str | bytes]

@overload
def open(
    source: Source,
    *,
    raw: Literal[False] = False,
    min_words: int = 15,
    min_suffixes: int = 5,
    word_weight: float = 1.0,
    suffix_weight: float = 1.0,
    groups_shown: int = 15,
    buffer_size: int = 10000,
    chars: bool = False,
    prefixes: bool = False,
) -> Analysis[str]: ...
@overload
def open(
    source: Source,
    *,
    raw: Literal[True],
    min_words: int = 15,
    min_suffixes: int = 5,
    word_weight: float = 1.0,
    suffix_weight: float = 1.0,
    groups_shown: int = 15,
    buffer_size: int = 10000,
    chars: bool = False,
    prefixes: bool = False,
) -> Analysis[bytes]: ...
