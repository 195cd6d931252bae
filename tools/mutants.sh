#!/usr/bin/env bash
# Sampled mutation testing; see tools/mutants.py --help. Runs at the lowest priority, since every
# mutant is a compile, a link and a test run.
exec nice -n 19 python3 "$(dirname "$0")/mutants.py" "$@"
