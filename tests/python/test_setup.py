"""pip install . builds an optimised package in a folder git does not show."""

import os
import runpy
import shutil
import subprocess
from pathlib import Path
from types import SimpleNamespace

import pytest
import setuptools

REPO = Path(os.environ.get("KY_REPO", Path(__file__).resolve().parents[2]))


@pytest.fixture
def setup_module(monkeypatch):
    monkeypatch.setattr(setuptools, "setup", lambda **kwargs: None)
    monkeypatch.delenv("KYROZ50_BUILD_DIR", raising=False)
    return SimpleNamespace(**runpy.run_path(str(REPO / "setup.py"), run_name="kyroz50_setup"))


def test_configure_is_release_outside_what_git_shows(setup_module):
    work = setup_module.build_dir()
    command = setup_module.configure_command(work)
    assert "-DCMAKE_BUILD_TYPE=Release" in command
    assert command[command.index("-B") + 1] == str(work)
    if shutil.which("git") is None or not (REPO / ".git").exists():
        pytest.skip("not a git checkout")
    ignored = subprocess.run(["git", "-C", str(REPO), "check-ignore", "-q", str(work.relative_to(REPO))])
    assert ignored.returncode == 0, f"{work} would show in git status"


def test_build_folder_can_be_chosen(setup_module, monkeypatch, tmp_path):
    monkeypatch.setenv("KYROZ50_BUILD_DIR", str(tmp_path / "b"))
    assert setup_module.build_dir() == tmp_path / "b"
