"""Reads back what VrxPlay wrote for the two runs of the test command: the
JUnit files through junitparser (what CI servers' test views rely on), the
coverage table and the HTML page by their text. One row per run."""
import csv
import pathlib
import sys

from junitparser import Failure, JUnitXml

RUNS = [
    # report name, scenarios, failures, failing case -> texts its failure holds
    ("library", None, 0, {}),
    ("failing", 4, 2, {
        "wrong-expectation": ["line 9", "REJECT2", "expected: ", "actual:   ", "VRXERR_NORMAL"],
        "unreadable": ["line 4", "on or off"],
    }),
]

folder = pathlib.Path(sys.argv[1])
library = sorted(p.stem for p in (pathlib.Path(__file__).parent.parent / "scenarios").glob("*.scenario"))
problems = []
for name, count, failures, failing in RUNS:
    suites = list(JUnitXml.fromfile(str(folder / f"{name}.xml")))
    cases = [case for suite in suites for case in suite]
    names = sorted(case.name for case in cases)
    expected_names = library if count is None else None
    if len(suites) != 1:
        problems.append(f"{name}: {len(suites)} test suites, not one")
    if expected_names is not None and names != expected_names:
        problems.append(f"{name}: cases {names}, not the library's {expected_names}")
    if count is not None and len(cases) != count:
        problems.append(f"{name}: {len(cases)} cases, not {count}")
    failed = {case.name: [r for r in case.result if isinstance(r, Failure)] for case in cases}
    if sum(1 for f in failed.values() if f) != failures or suites[0].failures != failures:
        problems.append(f"{name}: failures {[n for n, f in failed.items() if f]}, suite says {suites[0].failures}")
    for case_name, texts in failing.items():
        text = "".join((f.message or "") + "\n" + (f.text or "") for f in failed.get(case_name, []))
        problems += [f"{name}: {case_name}'s failure lacks {t!r}" for t in texts if t not in text]
    if not all(case.system_out for case in cases if case.name != "unreadable"):
        problems.append(f"{name}: a case without its step reports")

    rows = list(csv.reader(open(folder / f"{name}.tsv", encoding="utf-8"), delimiter="\t"))
    entry_rows = rows[1:rows.index([])]
    if len(entry_rows) != 46:
        problems.append(f"{name}: {len(entry_rows)} entry points in the coverage table, not 46")
    if name == "library":
        never = [r[0] for r in entry_rows if int(r[1]) + int(r[2]) == 0]
        if never:
            problems.append(f"library: entry points never called: {never}")

    html = (folder / f"{name}.html").read_text(encoding="utf-8")
    verdict = "FAILED" if failures else "PASSED"
    for text in [verdict, "SDK coverage", "<script"] + [f"{c}.scenario" for c in failing]:
        if (text in html) == (text == "<script"):
            problems.append(f"{name}.html: {'holds' if text == '<script' else 'lacks'} {text!r}")

for problem in problems:
    print(problem)
print(f"{len(RUNS) * 3} reports read back: {'ok' if not problems else str(len(problems)) + ' problems'}")
sys.exit(1 if problems else 0)
