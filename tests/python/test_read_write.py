"""odbdiff.read and odbdiff.write: round trips of every byte, the rules of
import, and errors as odbdiff.Error with odbdiff's own line."""
import json

import pytest

import odbdiff
from conftest import EXAMPLES, run_odbdiff

Q = odbdiff.Quantity

# Every byte but NUL, which no object file holds, in names, texts, units and
# list items; a str of it holds surrogates for the bytes that are no UTF-8.
EVERY_BYTE = bytes(range(1, 256))
EVERY_BYTE_TEXT = EVERY_BYTE.decode("utf-8", "surrogateescape")


def test_read_gives_the_json_form_of_import(samples):
    objects = odbdiff.read(samples[0])
    form = json.loads((EXAMPLES / "plant_a.json").read_text())

    def from_form(value):
        if isinstance(value, dict):
            return Q(float(value["number"]), value["units"])
        return Q(float(value), "") if isinstance(value, (int, float)) else value

    assert list(objects) == list(form)
    assert objects == {name: {slot: from_form(v) for slot, v in slots.items()}
                       for name, slots in form.items()}
    assert objects["pump-P-101"]["flow"] == Q(120.0, "m3/h")


def test_every_byte_round_trips(tmp_path):
    objects = {
        EVERY_BYTE_TEXT: {EVERY_BYTE_TEXT: EVERY_BYTE_TEXT,
                          "units": Q(-1.5e-300, EVERY_BYTE_TEXT),
                          "list": [EVERY_BYTE_TEXT, "", "\udcff"]},
        "plain": {"number": 42, "float": 0.1, "empty": [], "bytes": b"\xff\x01"},
    }
    odbdiff.write(tmp_path / "all.odb", objects)
    read = odbdiff.read(str(tmp_path / "all.odb").encode())
    assert read[EVERY_BYTE_TEXT] == objects[EVERY_BYTE_TEXT]
    assert read["plain"] == {"number": Q(42.0, ""), "float": Q(0.1, ""), "empty": [],
                             "bytes": "\udcff\x01"}
    # Each byte is the library's own: every name and value encodes back to it.
    assert [name.encode("utf-8", "surrogateescape") for name in read] == [EVERY_BYTE, b"plain"]


def test_write_is_whole_or_nothing(tmp_path):
    path = tmp_path / "kept.odb"
    odbdiff.write(path, {"before": {"slot": "value"}})
    for bad, error in [({"o": {"s": object()}}, TypeError),
                       ({"o": {"s": "nul\0"}}, ValueError),
                       ({"o": {"s": ("tuple", "value")}}, TypeError),
                       ({1: {}}, TypeError)]:
        with pytest.raises(error):
            odbdiff.write(path, {"first": {"slot": 1}, **bad})
        assert odbdiff.read(path) == {"before": {"slot": "value"}}
    assert [p.name for p in tmp_path.iterdir()] == ["kept.odb"]


def test_a_damaged_file_fails_as_in_export(samples, tmp_path):
    damaged = tmp_path / "damaged.odb"
    with open(samples[0], "rb") as whole:  # cut short within its tables
        damaged.write_bytes(whole.read(12000))
    status, _, err = run_odbdiff("export", damaged)
    assert status == 2
    with pytest.raises(odbdiff.Error) as raised:
        odbdiff.read(damaged)
    assert str(raised.value) == err.decode().rstrip("\n")


@pytest.mark.parametrize("call, message", [
    (lambda d: odbdiff.read(d / "missing.odb"), "odbdiff: {d}/missing.odb: no such file"),
    (lambda d: odbdiff.read(d / "text.odb"), "odbdiff: {d}/text.odb: not an object file"),
    (lambda d: odbdiff.write(d / "text.odb", {}),
     "odbdiff: {d}/text.odb: exists and is not an object file, so it is not replaced"),
    (lambda d: odbdiff.write(d / "no-folder" / "x.odb", {}),
     "odbdiff: {d}/no-folder/x.odb: no such folder: {d}/no-folder"),
])
def test_errors_carry_odbdiffs_line(tmp_path, call, message):
    (tmp_path / "text.odb").write_bytes(b"plain text, no object file\n")
    with pytest.raises(odbdiff.Error) as raised:
        call(tmp_path)
    assert str(raised.value) == message.format(d=tmp_path)
