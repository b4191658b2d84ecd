"""Runs one Windows program under Wine on a private desktop and passes on its
exit code: python3 -m tests.harness.run_windows PROGRAM [ARGS...]"""
import sys

from tests.harness.wine import Desktop


def main():
    program, *args = sys.argv[1:]
    with Desktop() as desktop:
        result = desktop.run(program, *args, timeout=600)
        sys.stdout.write(result.stdout.decode("utf-8", "replace"))
        sys.stderr.write(result.stderr.decode("utf-8", "replace"))
        return result.returncode


if __name__ == "__main__":
    sys.exit(main())
