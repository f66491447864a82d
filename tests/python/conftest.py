"""Shared fixtures of the tests of the Python module odbdiff.

CMake runs them with the module's build folder on PYTHONPATH and the odbdiff
command in ODBDIFF, against which the module is checked.
"""
import os
import pathlib
import subprocess

import pytest

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples"


def run_odbdiff(*args):
    """odbdiff's exit status, standard output and standard error (bytes)."""
    done = subprocess.run([os.environ["ODBDIFF"], *map(str, args)], capture_output=True)
    return done.returncode, done.stdout, done.stderr


@pytest.fixture(scope="session")
def samples(tmp_path_factory):
    """The shipped samples as object files: (a, b)."""
    folder = tmp_path_factory.mktemp("samples")
    pair = []
    for side in ("a", "b"):
        path = folder / f"plant_{side}.odb"
        status, _, err = run_odbdiff("import", EXAMPLES / f"plant_{side}.json", path)
        assert status == 0, err
        pair.append(str(path))
    return tuple(pair)
