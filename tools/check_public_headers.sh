#!/usr/bin/env bash
# The public headers stand on their own: each compiles with nothing but include/ on the path
# (so no internal header can be reached), and none names Qt.
set -euo pipefail
root=${1:?source root}
compiler=${2:-c++}
status=0
for header in "$root"/include/stangenspiel/*.h; do
    if grep -n -E '#include *[<"](Q|q[t]|core/|app/|windows/|text/|graphics/|events/|auxwindows/|host/)' "$header"; then
        echo "public headers: $header includes Qt or an internal header"
        status=1
    fi
    name=stangenspiel/$(basename "$header")
    printf '#include <%s>\nint main() { return 0; }\n' "$name" |
        "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -Werror -I "$root/include" -x c++ - ||
        { echo "public headers: $name does not compile on its own"; status=1; }
done
[ $status -eq 0 ] && echo "public headers: ok"
exit $status
