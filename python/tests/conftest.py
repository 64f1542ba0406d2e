"""Shared helpers: tarvo-cli as the reference for the module's results."""
import os
import subprocess

import pytest

CLI = os.environ["TARVO_CLI"]
SAMPLE_LIST = os.environ["TARVO_SAMPLE_LIST"]


def cli(*args: str) -> bytes:
    """tarvo-cli's standard output; fails the test on a nonzero exit."""
    return subprocess.run([CLI, *args], check=True, stdout=subprocess.PIPE).stdout


def cli_lines(*args: str) -> list[bytes]:
    return cli(*args).split(b"\n")[:-1]


def cli_options(settings: dict) -> list[str]:
    """The tarvo-cli options of module keyword settings."""
    options = []
    for key, value in settings.items():
        if key in ("chars", "prefixes"):
            options += ["--" + key] if value else []
        else:
            options.append("--{}={}".format("groups" if key == "groups_shown" else key.replace("_", "-"), value))
    return options


@pytest.fixture
def sample_list() -> str:
    return SAMPLE_LIST
