"""odbdiff.compare on the samples with each option, agreeing with odbdiff
compare --json; errors, the process-wide comparison, standard output."""
import json
import threading

import pytest

import odbdiff
from conftest import run_odbdiff


def json_value(value):
    """A value of the module in the JSON form of odbdiff --json."""
    if isinstance(value, odbdiff.Quantity):
        return {"number": value.number, "units": value.units}
    return value


def from_json(value):
    return {"number": value, "units": ""} if isinstance(value, (int, float)) else value


def json_of(result):
    """The module's differences in the layout of odbdiff --json."""
    objects = []
    for difference in result:
        if difference.slot is None:
            # As --json lists them: the object's slots in the order of their names.
            side = "a" if difference.status == "only-in-a" else "b"
            slots = getattr(difference, side)
            objects.append({"name": difference.object, "status": difference.status,
                            "slots": [{"name": name, "status": difference.status,
                                       side: json_value(slots[name])}
                                      for name in sorted(slots)]})
            continue
        if not objects or objects[-1]["name"] != difference.object:
            objects.append({"name": difference.object, "status": "differs", "slots": []})
        slot = {"name": difference.slot, "status": difference.status}
        slot.update({side: json_value(getattr(difference, side))
                     for side in ("a", "b") if getattr(difference, side) is not None})
        objects[-1]["slots"].append(slot)
    counts = {key.replace("_", "-"): value for key, value in result.counts._asdict().items()}
    return objects, counts


def odbdiff_json(a, b, *options):
    status, out, err = run_odbdiff("compare", a, b, "--json", "-", *options)
    assert status in (0, 1), err
    document = json.loads(out)
    for entry in document["objects"]:
        for slot in entry.get("slots", []):
            slot.update({side: from_json(slot[side]) for side in ("a", "b") if side in slot})
    return document["objects"], document["counts"]


@pytest.fixture(scope="module")
def option_files(tmp_path_factory, samples):
    folder = tmp_path_factory.mktemp("options")
    rules = folder / "rules.json"
    rules.write_text('{"value-rule": "exact", "ignore-slots": ["*:status"]}')
    accept = folder / "accept.json"
    status, _, err = run_odbdiff("compare", *samples, "--json", accept, "--ignore-object", "pump-*")
    assert status == 1, err
    return {"rules": str(rules), "accept": str(accept)}


# Each option of compare with the same on odbdiff's command line.
OPTIONS = [
    ({}, []),
    ({"value_rule": "tolerant"}, ["--value-rule", "tolerant"]),
    ({"value_rule": "exact"}, ["--value-rule", "exact"]),
    ({"tolerance": 10}, ["--tolerance", "10"]),
    ({"ignore_objects": ["valve-*", "motor-*"]},
     ["--ignore-object", "valve-*", "--ignore-object", "motor-*"]),
    ({"ignore_slots": ["heater", "pump-*:flow"]},
     ["--ignore-slot", "heater", "--ignore-slot", "pump-*:flow"]),
    ({"rules": "rules"}, ["--rules", "rules"]),
    ({"accept": "accept", "value_rule": "numeric"},
     ["--accept", "accept", "--value-rule", "numeric"]),
]


@pytest.mark.parametrize("given, command_line", OPTIONS)
def test_compare_agrees_with_odbdiff_json(samples, option_files, given, command_line):
    given = {key: option_files.get(value, value) if key in ("rules", "accept") else value
             for key, value in given.items()}
    command_line = [option_files.get(word, word) for word in command_line]
    assert json_of(odbdiff.compare(*samples, **given)) == odbdiff_json(*samples, *command_line)


def test_one_sided_objects_come_with_their_slots_and_records_suit_pandas(samples):
    pandas = pytest.importorskip("pandas")
    records = odbdiff.compare(*samples).to_records()
    one_sided = {r["object"]: r for r in records if r["slot"] is None}
    assert one_sided["sensor-PT-07"] == {
        "object": "sensor-PT-07", "slot": None, "status": "only-in-a", "b": None,
        "a": {"measures": "pressure", "range": odbdiff.Quantity(16.0, "bar"),
              "signal": "4-20 mA"}}
    assert one_sided["pump-P-103"]["b"] == odbdiff.read(samples[1])["pump-P-103"]
    frame = pandas.DataFrame(odbdiff.compare(*samples).to_records())
    assert list(frame.columns) == ["object", "slot", "status", "a", "b"]
    assert frame.groupby("status").size().to_dict() == {
        "only-in-a": 3, "only-in-b": 4, "values-differ": 8}


# Failures of files give the very line odbdiff prints for the same command
# line; options that Python names otherwise are named as Python names them.
@pytest.mark.parametrize("a, b, options, expected", [
    ("missing.odb", "b", {}, []),
    ("a", "text.odb", {}, []),
    ("a", "damaged.odb", {}, []),
    ("a", "b", {"rules": "text.odb"}, ["--rules", "text.odb"]),
    ("a", "b", {"accept": "missing.json"}, ["--accept", "missing.json"]),
    ("a", "b", {"value_rule": "fuzzy"},
     "odbdiff: value_rule: fuzzy not in {tolerant,numeric,exact}"),
    ("a", "b", {"tolerance": 100},
     "odbdiff: tolerance: 100.0 is not a percentage from 0 to below 100"),
    ("a", "b", {"value_rule": "exact", "tolerance": 1},
     "odbdiff: tolerance has no effect with value_rule exact"),
])
def test_errors_carry_odbdiffs_line(samples, tmp_path, a, b, options, expected):
    (tmp_path / "text.odb").write_bytes(b"plain text, no object file\n")
    with open(samples[1], "rb") as whole:  # cut short within its tables
        (tmp_path / "damaged.odb").write_bytes(whole.read(12000))
    known = {"a": samples[0], "b": samples[1]}
    path_of = lambda name: known.get(name, str(tmp_path / name))
    options = {k: path_of(v) if k in ("rules", "accept") else v for k, v in options.items()}
    if isinstance(expected, list):
        status, _, err = run_odbdiff("compare", path_of(a), path_of(b),
                                     *[path_of(word) if "." in word else word for word in expected])
        assert status == 2
        expected = err.decode().rstrip("\n")
    with pytest.raises(odbdiff.Error) as raised:
        list(odbdiff.compare(path_of(a), path_of(b), **options))
    assert str(raised.value) == expected


def test_bad_argument_types_raise_type_error(samples):
    for options in [{"ignore_objects": "pump-*"}, {"ignore_slots": [1]}, {"tolerance": "5"}]:
        with pytest.raises(TypeError):
            odbdiff.compare(*samples, **options)


@pytest.fixture(scope="module")
def many_differences(tmp_path_factory):
    """A pair with more differences than the queue holds."""
    folder = tmp_path_factory.mktemp("many")
    for side in ("a", "b"):
        odbdiff.write(folder / f"{side}.odb",
                      {f"object-{i:05}": {"side": side} for i in range(20000)})
    return str(folder / "a.odb"), str(folder / "b.odb")


def test_one_comparison_at_a_time(many_differences):
    running = odbdiff.compare(*many_differences)
    assert next(running).object == "object-00000"
    raised = []
    other = threading.Thread(target=lambda: raised.append(
        pytest.raises(odbdiff.Error, odbdiff.compare, *many_differences)))
    other.start()
    other.join()
    assert str(raised[0].value) == ("odbdiff: another comparison is running in this process "
                                    "(one at a time: finish or close it first)")
    # An input of the running comparison is not replaced.
    with pytest.raises(odbdiff.Error, match="a.odb: is also an input$"):
        odbdiff.write(many_differences[0], {})
    with running:
        assert sum(1 for _ in zip(range(100), running)) == 100
    with pytest.raises(odbdiff.Error, match="closed before its end"):
        running.counts
    assert odbdiff.compare(*many_differences).counts.slots_values_differ == 20000


def test_module_lines_stay_off_standard_output(samples, capfd):
    for difference in odbdiff.compare(*samples):
        print(difference.object)
    printed = capfd.readouterr().out
    assert "Processing Object" not in printed and "Comparing Object Files" not in printed
    assert printed.splitlines()[0] == "compressor-C-101" and len(printed.splitlines()) == 15
