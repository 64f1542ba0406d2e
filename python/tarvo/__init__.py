"""Suffix groups of a word list: Tarvo's engine for Python."""
from tarvo._engine import Analysis, Group, UnstoredWordsError, __version__, open

__all__ = ["Analysis", "Group", "UnstoredWordsError", "open"]
