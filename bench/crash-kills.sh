#!/bin/sh
# Kills the profile writer 1,000 times at random moments of its saves and
# checks NAME.txt after every kill (CI does the same 200 times).
# Usage: bench/crash-kills.sh [BUILD_DIRECTORY]   (default: build)
set -eu
build=${1:-build}
cmake --build "$build" --target tst_crash_safety profile_writer
PETATTO_CRASH_KILLS=1000 "$build/tests/tst_crash_safety"
