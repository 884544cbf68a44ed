#!/usr/bin/python3
"""The peer figure of the Word benchmark: python-docx opens a .docx and saves it, several
times; prints the median seconds of one open and save. Exits 2 when python-docx is not
installed (Debian: python3-docx), so the benchmark leaves the figure out."""
import statistics
import sys
import time

try:
    import docx
except ImportError:
    sys.exit(2)


def main():
    source, target, repetitions = sys.argv[1], sys.argv[2], int(sys.argv[3])
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        docx.Document(source).save(target)
        times.append(time.perf_counter() - start)
    print(statistics.median(times))


if __name__ == "__main__":
    main()
