"""pip install . builds the kyroz50 package with CMake, offline.

The CMake build (a Release build in build-pip/release, which git ignores, or
in $KYROZ50_BUILD_DIR; tests and benchmarks off) makes the pybind11 module
_kyroz50; it and every shared library of this project it
needs (libkyfsl, the module, the platform layer) are copied into the package,
which finds them through the RPATH $ORIGIN. Build requirements are the
Debian packages of scripts/setup; no index is consulted, because this file
has no pyproject.toml beside it and pip then builds with the interpreter's
own setuptools (on Debian: pip install --break-system-packages . or inside a
venv made with --system-site-packages).
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def build_dir() -> Path:
    """Where CMake builds the package."""
    return Path(os.environ.get("KYROZ50_BUILD_DIR") or ROOT / "build-pip" / "release")


def configure_command(work: Path) -> list:
    """The CMake configure command: optimised (the project's own default is a debug build), through ccache
    when it is installed, as scripts/build does."""
    command = ["cmake", "-S", str(ROOT), "-B", str(work), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
               "-DKY_TESTS=OFF", "-DKY_BENCH=OFF", f"-DPYTHON_EXECUTABLE={sys.executable}",
               "-DCMAKE_BUILD_RPATH=$ORIGIN"]
    if shutil.which("ccache"):
        command += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    return command


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        work = build_dir()
        work.mkdir(parents=True, exist_ok=True)
        env = dict(os.environ)
        env.setdefault("CCACHE_BASEDIR", str(ROOT.parent))
        env.setdefault("CCACHE_NOHASHDIR", "1")
        subprocess.run(configure_command(work), check=True, env=env)
        jobs = os.environ.get("KY_JOBS", "2")
        subprocess.run(["ninja", "-C", str(work), f"-j{jobs}", "_kyroz50"], check=True, env=env)
        built = next((work / "python" / "kyroz50").glob("_kyroz50*.so"))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(built, target)
        # The project's own libraries the module loads, found by ldd under the build.
        out = subprocess.run(["ldd", str(built)], check=True, capture_output=True, text=True).stdout
        for line in out.splitlines():
            parts = line.split("=>")
            if len(parts) == 2 and parts[1].strip().startswith(str(work)):
                lib = Path(parts[1].split("(")[0].strip())
                shutil.copy2(lib, target.parent / parts[0].strip())


setup(
    name="kyroz50",
    version="1.0.0",
    description="Fill style libraries (.bru): pattern tiles as numpy arrays, SVG, pattern fills on matplotlib maps",
    packages=["kyroz50"],
    package_dir={"kyroz50": "python/kyroz50"},
    ext_modules=[Extension("kyroz50._kyroz50", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    python_requires=">=3.9",
    install_requires=["numpy"],
    options={"build": {"build_base": "build-pip"}, "egg_info": {"egg_base": "build-pip"}},
    zip_safe=False,
)
