#!/usr/bin/env bash
# 10,000,000 accounts of the initial format to a file with account-generator-cli
# (target: at least 5,000,000 a second, peak memory under 20 MB), and the same
# job done with Python Faker as its users write it, for comparison.
# Usage: bench/cli.sh BUILD_FOLDER
set -euo pipefail
build=${1:-build}
cli="$build/src/cli/account-generator-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$cli" "$work" <<'PY'
import resource, subprocess, sys, time
cli, work = sys.argv[1], sys.argv[2]
count = 10_000_000
start = time.perf_counter()
subprocess.run([cli, "--count", str(count), "--output", f"{work}/cli.txt"], check=True)
cli_seconds = time.perf_counter() - start
cli_peak_mb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
cli_rate = count / cli_seconds
print(f"account-generator-cli: {count} accounts in {cli_seconds:.2f} s, {cli_rate:,.0f} accounts/s, peak memory {cli_peak_mb:.1f} MB")

faker_job = r'''
import sys, time
from faker import Faker
# The 1849 characters the window draws from, and three of them plus five digits per line.
hanzi = [bytes([lead, trail]).decode("gbk") for lead in range(0xB0, 0xDB) for trail in range(0xB0, 0xDB)]
fake = Faker("zh_CN")
fake.seed(1)
count = int(sys.argv[1])
start = time.perf_counter()
with open(sys.argv[2], "w", encoding="gbk", newline="") as out:
    for _ in range(count):
        out.write("".join(fake.random_elements(hanzi, length=3)) + fake.numerify("#####") + "\r\n")
print(time.perf_counter() - start)
'''
faker_count = 200_000
try:
    result = subprocess.run(["/usr/bin/python3", "-c", faker_job, str(faker_count), f"{work}/faker.txt"],
                            check=True, capture_output=True, text=True)
    faker_seconds = float(result.stdout.strip())
    faker_rate = faker_count / faker_seconds
    print(f"Python Faker: {faker_count} accounts in {faker_seconds:.2f} s, {faker_rate:,.0f} accounts/s "
          f"(10,000,000 would take about {count / faker_rate:.0f} s)")
    print(f"ratio: account-generator-cli is {cli_rate / faker_rate:,.0f} times as fast")
except (subprocess.CalledProcessError, FileNotFoundError) as error:
    print(f"Python Faker not available: {error}")
PY
