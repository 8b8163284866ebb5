#!/usr/bin/env bash
# account-generator-cli as scripts use it. Usage: cli_test.sh CLI
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {  # check NAME COMMAND...: the command must succeed
    local name=$1
    shift
    if "$@"; then passed=$((passed + 1)); echo "ok - $name"; else failed=$((failed + 1)); echo "not ok - $name"; fi
}
# run ARGS...: sets out, err (files) and status
run() {
    "$cli" "$@" >"$work/out" 2>"$work/err"
    status=$?
}
lines() { LC_ALL=C grep -c $'\r$' "$1"; }

run
check "default: 100 lines of 3 hanzi + 5 digits + CR LF" \
    test "$status" = 0 -a "$(stat -c %s "$work/out")" = 1300 -a "$(LC_ALL=C grep -c -P '^[\xB0-\xDA]{6}[0-9]{5}\r$' "$work/out")" = 100

run --letters 3 --hanzi 2 --digits 4 --count 1 --seed 1000
printf 'cfr\xd8\xb7\xda\xcd4862\r\n' >"$work/expected"
check "a fixed seed gives the window's known account" cmp -s "$work/out" "$work/expected"

run --count 5000 --seed 42 --domain 163.com
cp "$work/out" "$work/first"
run --count 5000 --seed 42 --domain 163.com
check "the same seed gives the same bytes" cmp -s "$work/out" "$work/first"
check "the domain follows every account" test "$(LC_ALL=C grep -c $'@163.com\r$' "$work/out")" = 5000

run --count 5000 --seed 42 --domain 163.com --encoding utf-8
iconv -f GBK -t UTF-8 "$work/first" >"$work/converted"
check "--encoding utf-8 writes the same lines in UTF-8" cmp -s "$work/out" "$work/converted"

run --letters 0 --hanzi "" --digits 0
check "a blank format is refused" \
    test "$status" = 2 -a ! -s "$work/out" -a "$(cat "$work/err")" = "请正确设置账号格式！"

run --hanzi 0 --digits 1 --count 20 --unique
check "--unique refuses a format too small, before writing" \
    bash -c "test $status = 2 && test ! -s '$work/out' && grep -q 'only 10 distinct' '$work/err'"

run --hanzi 0 --digits 2 --count 100 --unique --seed 7
check "--unique: every account once" test "$status" = 0 -a "$(sort -u "$work/out" | wc -l)" = 100

run --count "１２" --hanzi " 1" --digits "+0"
check "counts are read as the window reads them" test "$status" = 0 -a "$(lines "$work/out")" = 12

run --count 10 --output "$work/missing/folder/a.txt"
check "a missing folder: the file and the reason, status 1" \
    bash -c "test $status = 1 && grep -q \"'$work/missing/folder/a.txt': No such file or directory\" '$work/err'"

printf 'precious\n' >"$work/kept.txt"
(ulimit -f 8; "$cli" --count 100000 --output "$work/kept.txt" 2>"$work/err")
status=$?
check "a write that fails half-way keeps the old file and leaves nothing behind" \
    bash -c "test $status = 1 && test \"\$(cat '$work/kept.txt')\" = precious && test \"\$(ls -A '$work' | grep -c kept)\" = 1"

run --count 1000 --output "$work/new.txt"
check "--output writes the file, and without a terminal no progress bar" \
    test "$status" = 0 -a "$(lines "$work/new.txt")" = 1000 -a ! -s "$work/out" -a ! -s "$work/err"

# script(1) gives the tool a terminal for standard error.
script -qec "'$cli' --count 8000000 --output '$work/big.txt'" /dev/null >"$work/tty" 2>&1
check "a progress bar on a terminal while a long write goes on" grep -q '\[#*\.*\] *[0-9]*%' "$work/tty"

"$cli" --count 1000000 2>"$work/err" | head -n 1 >"$work/out"
check "standard output closed early ends quietly" test ! -s "$work/err" -a "$(lines "$work/out")" = 1

for bad in "--bogus" "--count" "--encoding latin1" "--seed -1" "extra"; do
    # shellcheck disable=SC2086
    run $bad
    check "bad use '$bad': status 2 and a hint" bash -c "test $status = 2 && grep -q -- '--help' '$work/err'"
done

run --help
check "--help" grep -q -- "--unique" "$work/out"
run --version
check "--version" grep -q "account-generator-cli 1" "$work/out"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
