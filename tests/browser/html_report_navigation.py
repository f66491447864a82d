"""The default template's counts, contents, search, filters, keys and slot
marks, driven in headless Chromium through Selenium, one browser session per
report: on a small report made with --show-all; on a report to review (search
by value, the slot filter, the marks in lists, texts and numbers, three
differences signed off, kept across a reload and downloaded as an accept
file that compare --accept takes, leaving exactly the others); on three reports whose
counts, labels and filters must be those of --stat and --json (the shipped
samples, hostile object names, a project), with objects in both files whose
only differences are slots in one file; on a report without odbdiff's
statuses, which must show none, and one without odbdiff's differences, which
must offer no sign-off; and on a report of 10,000 objects, whose
time to be ready it measures and prints: from navigation start to the first frame after the
page's set-up, and the processor time of the page's thread until then. The
times are a measurement, not a check: they follow the machine's speed and
load, and a slow machine is no fault of the page.

Usage: /usr/bin/python3 html_report_navigation.py ODBDIFF EXAMPLES_DIR [MODULE_DIR]
MODULE_DIR goes into odbdiff's LD_LIBRARY_PATH (sanitized builds).
Exits 77 (skipped) when selenium, chromium or chromedriver is absent.
"""
import json
import os
import re
import sqlite3
import subprocess
import sys
import tempfile
import time

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
except ImportError:
    print("skipped: python3-selenium is not installed")
    sys.exit(77)
for tool in (CHROMIUM, CHROMEDRIVER):
    if not os.access(tool, os.X_OK):
        print(f"skipped: {tool} is not installed")
        sys.exit(77)

ODBDIFF = sys.argv[1]
EXAMPLES = sys.argv[2]
MODULE_DIR = sys.argv[3] if len(sys.argv) > 3 else ""
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: got {got!r}, expected {expected!r}")


def odbdiff(*args, expect=0):
    env = dict(os.environ)
    if MODULE_DIR:
        env["LD_LIBRARY_PATH"] = MODULE_DIR
    run = subprocess.run([ODBDIFF, *args], env=env, capture_output=True, text=True)
    if run.returncode != expect:
        sys.exit(f"FAIL: odbdiff {' '.join(args)} exited with {run.returncode}: {run.stderr}")
    return run.stdout


def import_pair(work, name, a, b):
    paths = {}
    for side, objects in (("a", a), ("b", b)):
        with open(os.path.join(work, f"{name}_{side}.json"), "w") as out:
            json.dump(objects, out)
        paths[side] = os.path.join(work, f"{name}_{side}.odb")
        odbdiff("import", out.name, paths[side])
    return paths


def make_report(work, name, a, b, *options):
    paths = import_pair(work, name, a, b)
    report = os.path.join(work, f"{name}.html")
    stat = odbdiff("compare", paths["a"], paths["b"], "--html", report, "--quiet", "--stat",
                   *options, expect=1)
    return report, dict(line.split(": ") for line in stat.splitlines())


# Page helpers: what a user sees.
SHOWN_NAMES = """return Array.from(document.querySelectorAll("table.object"))
  .filter(t => t.getClientRects().length > 0)
  .map(t => t.querySelector(".object-name").textContent);"""
SHOWN_ENTRIES = """return Array.from(document.querySelectorAll(".contents li"))
  .filter(li => !li.hidden).map(li => li.textContent);"""
COUNTS = """const c = {};
document.querySelectorAll(".counts [data-count]").forEach(e => c[e.dataset.count] = e.textContent);
return c;"""
CONTENTS_LINKS = """return Array.from(document.querySelectorAll(".contents a")).every(a =>
  document.querySelector(a.getAttribute("href")).querySelector(".object-name").textContent
  === a.textContent);"""
CURRENT = """const e = document.activeElement.querySelector(".object-name");
return e ? e.textContent : null;"""
MARK = """const row = Array.from(document.querySelectorAll("tr"))
  .find(r => r.closest("table").querySelector(".object-name").textContent === arguments[0]
          && r.cells[0].textContent === arguments[1]);
return getComputedStyle(row.cells[0], "::before").content;"""


def filter_by(driver, label):
    driver.find_element(By.XPATH, f'//button[@data-filter and text()="{label}"]').click()


def search(driver, text):
    box = driver.find_element(By.ID, "object-search")
    box.clear()
    if text:
        box.send_keys(text)
    else:  # clear() fires no input event
        driver.execute_script('arguments[0].dispatchEvent(new Event("input"))', box)
    driver.execute_script("document.activeElement.blur()")


def small_report_checks(driver, work):
    a = {"pump-1": {"flow": {"number": 120, "units": "m3/h"}, "seal": "mechanical",
                    "type": "centrifugal"},
         "pump-2": {"speed": 1480},
         "tank-1": {"volume": 50},
         "valve-1": {"size": 50, "type": "gate"}}
    b = {"pump-1": {"class": "IE3", "flow": {"number": 150, "units": "m3/h"},
                    "type": "centrifugal"},
         "tank-1": {"volume": 50},
         "valve-1": {"size": 80, "type": "gate"},
         "valve-9": {"size": 25}}
    report, _ = make_report(work, "small", a, b, "--show-all")
    driver.get("file://" + report)
    everything = ["pump-1", "pump-2", "tank-1", "valve-1", "valve-9"]
    check("counts", driver.execute_script(COUNTS),
          {"differs": "2", "only-a": "1", "only-b": "1", "same": "1", "slots": "4"})
    check("counts line", driver.find_element(By.CLASS_NAME, "counts").text,
          "2 objects differ \u00b7 1 only in A \u00b7 1 only in B \u00b7 1 identical"
          " \u00b7 4 slots differ")
    check("contents before it is opened", driver.execute_script(SHOWN_ENTRIES), [])
    driver.find_element(By.CSS_SELECTOR, ".contents summary").click()
    for _ in range(100):  # the list is built on the toggle event that follows
        if driver.execute_script(SHOWN_ENTRIES):
            break
        time.sleep(0.05)
    check("contents", driver.execute_script(SHOWN_ENTRIES), everything)
    check("contents links", driver.execute_script(CONTENTS_LINKS), True)
    # Marks that are no colour: a sign before the slot name.
    for obj, slot, mark in (("pump-1", "flow", '"\u2260"'), ("pump-1", "type", '"="'),
                            ("valve-1", "size", '"\u2260"'), ("tank-1", "volume", '"="'),
                            ("pump-1", "seal", "none")):
        check(f"mark of {obj}/{slot}", driver.execute_script(MARK, obj, slot), mark)
    for text, shown in (("VALVE", ["valve-1", "valve-9"]), ("-2", ["pump-2"]),
                        ("nothing", []), ("", everything)):
        search(driver, text)
        check(f"objects found by {text!r}", driver.execute_script(SHOWN_NAMES), shown)
        check(f"contents found by {text!r}", driver.execute_script(SHOWN_ENTRIES), shown)
    for label, shown in (("Only in A", ["pump-2"]), ("Only in B", ["valve-9"]),
                         ("Differing", ["pump-1", "valve-1"]), ("All", everything)):
        filter_by(driver, label)
        check(f"objects under {label!r}", driver.execute_script(SHOWN_NAMES), shown)
    # n and p skip the identical object; they stop at either end.
    for key, current in (("n", "pump-1"), ("n", "pump-2"), ("n", "valve-1"), ("n", "valve-9"),
                         ("n", "valve-9"), ("p", "valve-1"), ("p", "pump-2"), ("p", "pump-1"),
                         ("p", "pump-1")):
        ActionChains(driver).send_keys(key).perform()
        check(f"current object after {key!r}", driver.execute_script(CURRENT), current)
    filter_by(driver, "Only in B")
    ActionChains(driver).send_keys("n").perform()
    check("current object after 'n' under 'Only in B'", driver.execute_script(CURRENT),
          "valve-9")
    ActionChains(driver).send_keys("/").perform()
    check("focus after '/'", driver.execute_script("return document.activeElement.id"),
          "object-search")


def large_pair():
    """10,000 reported objects (7,000 differing, 1,500 only in A, 1,500 only
    in B) among 1,000 identical ones, with over 100,000 slots that differ,
    and what the report must count besides the identical ones."""
    a, b = {}, {}
    expected = {"differs": 0, "only-a": 0, "only-b": 0, "slots": 0}
    for i in range(10000):
        name = f"unit-{i:05d}"
        kind = i % 20
        if kind < 14:
            a[name] = {"flow": {"number": 100 + i % 7, "units": "m3/h"}, "type": "pump"}
            b[name] = {"flow": {"number": 150 + i % 7, "units": "m3/h"}, "type": "pump"}
            for k in range(13):
                a[name][f"p{k:02d}"] = f"setting {k} rev {i}"
                b[name][f"p{k:02d}"] = f"setting {k} rev {i + 1}"
            expected["slots"] += 14
            if i % 3 == 0:
                a[name]["note"] = "old"
                expected["slots"] += 1
            if i % 5 == 0:
                b[name]["class"] = "IE3"
                expected["slots"] += 1
            expected["differs"] += 1
        elif kind < 17:
            a[name] = {"type": "valve", "size": i}
            expected["only-a"] += 1
        else:
            b[name] = {"type": "tank", "volume": i}
            expected["only-b"] += 1
    for j in range(1000):
        a[f"same-{j:04d}"] = b[f"same-{j:04d}"] = {"type": "sensor", "range": [str(j), "bar"]}
    return a, b, {kind: str(count) for kind, count in expected.items()}


# The name of every object block with the label in its caption ("" for none).
LABELS = """return Array.from(document.querySelectorAll("table.object")).map(t => {
  const label = t.querySelector("caption .kind");
  return [t.querySelector(".object-name").textContent, label ? label.textContent : ""];
});"""
LABEL_OF = {"only-in-a": "only in A", "only-in-b": "only in B", "differs": ""}


def shown_name(name):
    """A name of the JSON of differences as the page shows it: bytes that
    are no UTF-8 decoded with replacement characters, CR LF and CR read as
    LF."""
    if isinstance(name, dict):
        name = bytes.fromhex(name["bytes"]).decode("utf-8", errors="replace")
    return re.sub("\r\n?", "\n", name)


def compared(*args, expect=1):
    """The --stat counts and the JSON of differences of one comparison."""
    stat = odbdiff(*args, "--stat", "--json", "-", expect=expect)
    document = json.loads(stat[:stat.rindex("}") + 1])
    counts = dict(line.split(": ") for line in stat[stat.rindex("}") + 1:].split("\n") if line)
    return counts, document


def statuses_of(document):
    """Each object's status in the JSON of differences, over a project's files."""
    objects = list(document.get("objects", []))
    for file in document.get("files", []):
        objects += file.get("objects", [])
    return [(shown_name(o["name"]), o["status"]) for o in objects]


def check_statuses(driver, what, stat, document):
    """The page's counts, labels and filters are those of --stat and --json."""
    slots = sum(int(stat[k]) for k in ("slots only in A", "slots only in B",
                                       "slots with values that differ"))
    check(f"{what}: counts", driver.execute_script(COUNTS),
          {"differs": stat["objects differing"], "only-a": stat["objects only in A"],
           "only-b": stat["objects only in B"], "same": stat["objects identical"],
           "slots": str(slots)})
    statuses = statuses_of(document)
    status_of = dict(statuses)
    check(f"{what}: labels", driver.execute_script(LABELS),
          [[name, LABEL_OF[status_of[name]] if name in status_of else "identical"]
           for name, _ in driver.execute_script(LABELS)])
    check(f"{what}: objects with a difference",
          sorted(name for name, label in driver.execute_script(LABELS) if label != "identical"),
          sorted(name for name, _ in statuses))
    for label, status in (("Only in A", "only-in-a"), ("Only in B", "only-in-b"),
                          ("Differing", "differs")):
        filter_by(driver, label)
        check(f"{what}: objects under {label!r}", sorted(driver.execute_script(SHOWN_NAMES)),
              sorted(name for name, s in statuses if s == status))
    filter_by(driver, "All")


def rename_object(path, old, new):
    """Renames an object of an object file to bytes that JSON cannot spell."""
    with sqlite3.connect(path) as db:
        for table, column in (("objects", "name"), ("slots", "object")):
            db.execute(f"UPDATE {table} SET {column} = CAST(? AS TEXT) WHERE {column} = ?",
                       (new, old))
    db.close()


def samples_checks(driver, work):
    paths = {side: os.path.join(work, f"plant_{side}.odb") for side in "ab"}
    for side in "ab":
        odbdiff("import", os.path.join(EXAMPLES, f"plant_{side}.json"), paths[side])
    report = os.path.join(work, "samples.html")
    odbdiff("compare", paths["a"], paths["b"], "--html", report, "--quiet", expect=1)
    stat, document = compared("compare", paths["a"], paths["b"], "--quiet")
    driver.get("file://" + report)
    check_statuses(driver, "samples", stat, document)
    # In both files, its only difference a slot only in A.
    check("samples: label of pump-P-101",
          dict(driver.execute_script(LABELS)).get("pump-P-101"), "")
    return report


def hostile_names_checks(driver, work):
    a = {"</script><script>document.title='x'</script>": {"flow": 1, "seal": "lip"},
         "quote \"q\" 'a' & <!--": {"size": 50},
         "ctrl \u0001\u001b[2J": {"type": "gate"},
         "bad-NAME": {"flow": 5},
         "caf\u00e9 \u2028": {"volume": 3},
         "same": {"type": "sensor"}}
    b = {"</script><script>document.title='x'</script>": {"flow": 9, "seal": "lip"},
         "line\r\nbreak\rcr": {"size": 80},
         "ctrl \u0001\u001b[2J": {"type": "gate", "class": "IE3"},
         "bad-NAME": {"flow": 5, "note": "new"},
         "same": {"type": "sensor"}}
    paths = import_pair(work, "hostile", a, b)
    for path in paths.values():
        rename_object(path, "bad-NAME", b"bad-\xff\xfe-\xe2\x82")
    report = os.path.join(work, "hostile.html")
    odbdiff("compare", paths["a"], paths["b"], "--html", report, "--quiet", "--show-all",
            expect=1)
    stat, document = compared("compare", paths["a"], paths["b"], "--quiet")
    driver.get("file://" + report)
    check("hostile names: title", driver.title, "Object file comparison")
    check_statuses(driver, "hostile names", stat, document)


def project_checks(driver, work):
    folders = {side: os.path.join(work, f"project_{side}") for side in "ab"}
    files = {"PROJ0001": ({"pump": {"flow": 1, "seal": "lip"}, "tank": {"volume": 3}},
                          {"pump": {"flow": 1}, "fan": {"speed": 2}}),
             "PROJ0002": ({"valve": {"size": 50}, "motor": {"power": 7}},
                          {"valve": {"size": 80, "class": "IE3"}, "motor": {"power": 7}}),
             "PROJ0003": ({"tank": {"volume": 3}}, None)}
    for side in "ab":
        os.mkdir(folders[side])
    for name, pair in files.items():
        for side, objects in zip("ab", pair):
            if objects is not None:
                source = os.path.join(work, f"{name}_{side}.json")
                with open(source, "w") as out:
                    json.dump(objects, out)
                odbdiff("import", source, os.path.join(folders[side], name))
    report = os.path.join(work, "project.html")
    odbdiff("compare-project", folders["a"], folders["b"], "--html", report, expect=1)
    stat, document = compared("compare-project", folders["a"], folders["b"])
    driver.get("file://" + report)
    check_statuses(driver, "project", stat, document)


def no_statuses_checks(driver, work, report):
    """A report of another host: the samples' without odbdiff's statuses."""
    with open(report, encoding="utf-8") as source:
        text = source.read()
    bare = re.sub('<script type="application/json" id="odbdiff-statuses">.*?</script>\n', "",
                  text, flags=re.S)
    check("no statuses: the block was there", bare != text, True)
    path = os.path.join(work, "bare.html")
    with open(path, "w", encoding="utf-8") as out:
        out.write(bare)
    driver.get("file://" + path)
    check("no statuses: labels",
          [label for _, label in driver.execute_script(LABELS) if label], [])
    check("no statuses: counts shown",
          driver.find_element(By.CLASS_NAME, "counts").is_displayed(), False)
    check("no statuses: filters shown",
          [b.is_displayed() for b in driver.find_elements(By.CSS_SELECTOR, "[data-filter]")],
          [False] * 4)
    search(driver, "pump-P-10")
    check("no statuses: objects found by 'pump-P-10'", driver.execute_script(SHOWN_NAMES),
          ["pump-P-101", "pump-P-102", "pump-P-103"])
    check("no statuses: sign-off shown",
          driver.find_element(By.CLASS_NAME, "review").is_displayed(), False)


def no_differences_checks(driver, work, report):
    """A report with statuses but without the differences: no sign-off."""
    with open(report, encoding="utf-8") as source:
        text = source.read()
    bare = re.sub('<script type="application/json" id="odbdiff-differences">.*?</script>\n', "",
                  text, flags=re.S)
    check("no differences: the block was there", bare != text, True)
    path = os.path.join(work, "no_differences.html")
    with open(path, "w", encoding="utf-8") as out:
        out.write(bare)
    driver.get("file://" + path)
    check("no differences: counts shown",
          driver.find_element(By.CLASS_NAME, "counts").is_displayed(), True)
    check("no differences: sign-off shown",
          driver.find_element(By.CLASS_NAME, "review").is_displayed(), False)
    check("no differences: boxes", driver.find_elements(By.CSS_SELECTOR, ".review-box"), [])


# Review: the rows shown, the marks in a block's value cells, the sign-off.
SHOWN_ROWS = """return Array.from(document.querySelectorAll("tr[data-kind]"))
  .filter(r => r.getClientRects().length > 0).map(r => r.cells[0].textContent || r.cells[2].textContent);"""
BLOCK = """return Array.from(document.querySelectorAll("table.object"))
  .find(t => t.querySelector(".object-name").textContent === arguments[0]);"""
MARKS = """const row = Array.from(arguments[0].rows).find(r => r.cells[0].textContent === arguments[1]);
return [1, 3].map(i => [Array.from(row.cells[i].querySelectorAll("del, ins, .fold"))
  .map(e => e.dataset.fold || e.tagName.toLowerCase() + ":" + e.textContent),
  row.cells[i].dataset.delta || ""]);"""
SLOT_BOX = """return Array.from(arguments[0].rows).find(r => r.textContent.startsWith(arguments[1]))
  .querySelector(".review-box");"""


def object_block(driver, name):
    """The block of object `name`, scrolled to and marked by the page."""
    block = driver.execute_script(BLOCK, name)
    driver.execute_script("arguments[0].scrollIntoView()", block)
    for _ in range(100):
        if block.get_attribute("data-marked"):
            return block
        time.sleep(0.05)
    sys.exit(f"FAIL: the page never marked the block of {name}")


def review_pair():
    feeders = [f"M-{i:03d}" for i in range(22)]
    a = {"pump-1": {"flow": {"number": 120, "units": "m3/h"}, "version": "1.2-deb12u4",
                    "image": "pump-firmware-26.01.tar"},
         "pump-2": {"flow": {"number": 80, "units": "m3/h"}, "speed": 1480},
         "panel-1": {"feeders": feeders},
         "tank-1": {"volume": 50},
         "valve-1": {"size": 50}}
    b = {"pump-1": {"flow": {"number": 126, "units": "m3/h"}, "version": "1.2-deb12u5",
                    "image": "pump-firmware-26.02.tar"},
         "pump-2": {"flow": {"number": 80, "units": "m3/h"}, "speed": 1600, "Version": "2"},
         "panel-1": {"feeders": feeders[:10] + ["M-110"] + feeders[11:]},
         "valve-1": {"size": 80},
         "valve-2": {"size": 25}}
    return a, b


def differences_of(document):
    """Every difference of a JSON of differences: (object, slot or None, status)."""
    found = set()
    for entry in document["objects"]:
        found.add((entry["name"], None, entry["status"]))
        for slot in entry.get("slots", []):
            found.add((entry["name"], slot["name"], slot["status"]))
    return found


def review_checks(driver, work):
    paths = import_pair(work, "review", *review_pair())
    report = os.path.join(work, "review.html")
    odbdiff("compare", paths["a"], paths["b"], "--html", report, "--quiet", expect=1)
    driver.get("file://" + report)
    # Find: by value and by slot name, with a count of matches.
    for text, names, note in (("deb12u5", ["pump-1"], "showing 1 of 6 \u00b7 1 match"),
                              ("VERSION", ["pump-1", "pump-2"], "showing 2 of 6 \u00b7 2 matches")):
        search(driver, text)
        check(f"objects found by {text!r}", driver.execute_script(SHOWN_NAMES), names)
        check(f"matches of {text!r}", driver.find_element(By.CLASS_NAME, "shown").text, note)
    search(driver, "")
    choose = driver.find_element(By.ID, "slot-filter")
    check("slot filter", [o.text for o in choose.find_elements(By.TAG_NAME, "option")],
          ["Every slot", "Version (1)", "feeders (1)", "flow (1)", "image (1)", "size (2)",
           "speed (1)", "version (1)", "volume (1)"])
    choose.find_element(By.XPATH, 'option[@value="flow"]').click()
    check("objects under the slot 'flow'", driver.execute_script(SHOWN_NAMES), ["pump-1"])
    check("rows under the slot 'flow'", driver.execute_script(SHOWN_ROWS), ["flow"])
    choose.find_element(By.XPATH, 'option[@value=""]').click()
    check("rows under every slot", len(driver.execute_script(SHOWN_ROWS)), 9)
    # Read: a list item by item, the changed part of a text, numbers' difference.
    check("marks of a list", driver.execute_script(MARKS, object_block(driver, "panel-1"), "feeders"),
          [[["\u2026 9 items the same \u2026", "del:M-010", "\u2026 10 items the same \u2026"], ""],
           [["\u2026 9 items the same \u2026", "ins:M-110", "\u2026 10 items the same \u2026"], ""]])
    pump = object_block(driver, "pump-1")
    for slot, marks in (("image", [[["del:1"], ""], [["ins:2"], ""]]),
                        ("version", [[["del:4"], ""], [["ins:5"], ""]]),
                        ("flow", [[[], ""], [[], "+6 m3/h, +5 %"]])):
        check(f"marks of {slot}", driver.execute_script(MARKS, pump, slot), marks)
    # Sign off three: two slots by their boxes, an object by the key x.
    driver.execute_script(SLOT_BOX, pump, "flow").click()
    driver.execute_script(SLOT_BOX, object_block(driver, "pump-2"), "speed").click()
    driver.execute_script("document.activeElement.blur()")
    for _ in range(4):  # panel-1, pump-1, pump-2, tank-1
        ActionChains(driver).send_keys("n").perform()
    ActionChains(driver).send_keys("x").perform()
    counter = "3 of 9 differences reviewed (x the current object) Download accept file"
    check("reviewed", driver.find_element(By.CLASS_NAME, "review").text, counter)
    driver.refresh()
    check("reviewed after a reload", driver.find_element(By.CLASS_NAME, "review").text, counter)
    check("box after a reload",
          driver.execute_script(SLOT_BOX, object_block(driver, "pump-1"), "flow").is_selected(), True)
    downloads = os.path.join(work, "downloads")
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": downloads})
    driver.find_element(By.ID, "download-accept").click()
    accept = os.path.join(downloads, "accept.json")
    for _ in range(200):
        if os.path.exists(accept):
            break
        time.sleep(0.05)
    # What the next comparison reports is exactly the differences not signed off.
    _, everything = compared("compare", paths["a"], paths["b"], "--quiet")
    _, rest = compared("compare", paths["a"], paths["b"], "--quiet", "--accept", accept)
    # An object signed off as only in A goes with the slots the JSON lists of it.
    signed = {("pump-1", None, "differs"), ("pump-1", "flow", "values-differ"),
              ("pump-2", None, "differs"), ("pump-2", "speed", "values-differ"),
              ("tank-1", None, "only-in-a"), ("tank-1", "volume", "only-in-a")}
    check("differences after --accept", differences_of(rest),
          differences_of(everything) - signed | {("pump-1", None, "differs"),
                                                 ("pump-2", None, "differs")})


READY = """const m = performance.getEntriesByName(arguments[0]);
return m.length ? m[0].startTime : null;"""


def ready_time(driver, mark):
    for _ in range(1200):  # a busy machine may take long
        time_ms = driver.execute_script(READY, mark)
        if time_ms is not None:
            return time_ms
        time.sleep(0.05)
    sys.exit(f"FAIL: the page never set the mark {mark}")


def main_thread_ms(driver):
    metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    return 1000 * next(m["value"] for m in metrics if m["name"] == "ThreadTime")


def load(driver, report):
    """Milliseconds from navigation start to the first frame after the
    page's set-up, and the processor time of the page's thread until then."""
    driver.get("about:blank")
    driver.execute_cdp_cmd("Performance.enable", {"timeDomain": "threadTicks"})
    before = main_thread_ms(driver)
    driver.get("file://" + report)
    shown = ready_time(driver, "report-shown")
    return shown, main_thread_ms(driver) - before


def large_report_checks(driver, work):
    a, b, expected = large_pair()
    report, stat = make_report(work, "large", a, b)
    check("odbdiff --stat", [stat["objects differing"], stat["objects only in A"],
                             stat["objects only in B"]],
          [expected["differs"], expected["only-a"], expected["only-b"]])
    timings = [load(driver, report) for _ in range(3)]
    # The identical objects have no block but are counted.
    check("counts", driver.execute_script(COUNTS), dict(expected, same="1000"))
    search(driver, "unit-0999")
    check("objects found by 'unit-0999'", driver.execute_script(SHOWN_NAMES),
          [f"unit-0999{d}" for d in range(10)])
    search(driver, "")
    filter_by(driver, "Only in B")
    check("shown under 'Only in B'", driver.find_element(By.CLASS_NAME, "shown").text,
          "showing 1500 of 10000")
    ActionChains(driver).send_keys("n").perform()
    check("first object only in B", driver.execute_script(CURRENT), "unit-00017")
    check("differences to review", driver.find_element(By.CLASS_NAME, "review").text,
          f"0 of {int(expected['slots']) + 3000} differences reviewed (x the current object)"
          " Download accept file")
    load_average, cores = os.getloadavg()[0], os.cpu_count()
    print(f"10,000-object report, {expected['slots']} slots differing ({os.path.getsize(report) / 1e6:.1f} MB): ready "
          + ", ".join(f"{shown:.0f}" for shown, _ in timings)
          + " ms after navigation start; the page's thread busy "
          + ", ".join(f"{busy:.0f}" for _, busy in timings)
          + f" ms of that; load average {load_average:.1f} on {cores} cores")


def session(work):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--window-size=1280,900",
                     f"--user-data-dir={os.path.join(work, 'profile')}"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)


def with_session(work, checks):
    """Runs the checks of one report in a browser session of its own."""
    driver = session(work)
    try:
        return checks(driver, work)
    finally:
        driver.quit()


def main():
    with tempfile.TemporaryDirectory() as work:
        with_session(work, small_report_checks)
        samples = with_session(work, samples_checks)
        with_session(work, hostile_names_checks)
        with_session(work, project_checks)
        with_session(work, lambda driver, work: no_statuses_checks(driver, work, samples))
        with_session(work, lambda driver, work: no_differences_checks(driver, work, samples))
        with_session(work, review_checks)
        with_session(work, large_report_checks)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print("ok: counts, labels, contents, search, filters, keys, slot marks, value marks and"
          " sign-off work in Chromium")


main()
