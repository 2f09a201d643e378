#!/usr/bin/env python3
# Runs every `$ ... qxm-convert ...` line of a code block in README.md and
# docs/*.md, with the built qxm-convert first on PATH, and compares what it
# prints (both streams, as a terminal shows them) with the lines below it, up
# to the block's end or the next `$ ` line. The documents show lines, not
# their ends, so CR LF counts as LF.
import difflib, glob, os, subprocess, sys, tempfile

bin_dir, root = map(os.path.abspath, sys.argv[1:])
env = dict(os.environ, PATH=bin_dir + os.pathsep + os.environ["PATH"])
failed = checked = 0
with tempfile.TemporaryDirectory() as scratch:
    for doc in [os.path.join(root, "README.md")] + sorted(glob.glob(os.path.join(root, "docs", "*.md"))):
        fenced, example = False, None
        for number, line in enumerate(open(doc, encoding="utf-8").read().splitlines() + ["```"], 1):
            fence = line.lstrip().startswith("```")
            if example and (fence or line[:example[0]].strip() or line[example[0]:].startswith("$ ")):
                indent, start, command, shown = example
                while shown and not shown[-1].strip():
                    shown.pop()
                printed = subprocess.run(["sh", "-c", command], cwd=scratch, env=env, stdin=subprocess.DEVNULL,
                                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60).stdout
                printed = printed.decode("utf-8", "backslashreplace").replace("\r\n", "\n").splitlines()
                checked, failed = checked + 1, failed + (printed != shown)
                if printed != shown:
                    print(f"{doc}:{start}: `{command}` prints otherwise than shown:")
                    print("\n".join(difflib.unified_diff(shown, printed, "shown", "printed", lineterm="")))
                example = None
            elif example:
                example[3].append(line[example[0]:])
            fenced ^= fence
            stripped = line.lstrip()
            if (fenced or line.startswith("    ")) and stripped.startswith("$ ") and "qxm-convert" in stripped:
                example = (len(line) - len(stripped), number, stripped[2:], [])
print(f"{checked} examples, {failed} printing otherwise than shown")
sys.exit(1 if failed or not checked else 0)
