"""What a screen reader hears of the text boxes, over a real accessibility
bus: the names of the four boxes, and the list box read, followed and
edited beside the toolkit's stock plain text box, which must answer alike.

    /usr/bin/python3 listbox_a11y_test.py PATH/TO/velkrant_a11y_probe
"""

import os
import sys
import unittest
import warnings

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from a11y_session import Session, SetupError, wait_for  # noqa: E402

PROBE = sys.argv.pop(1) if len(sys.argv) > 1 else ""
BOXES = ("listBox", "stockBox")
# Words, an empty line and a last line without a break.
LINES = "ab cd\n中文 12\n\nxyz"
BOUNDARIES = {"char": "TEXT_BOUNDARY_CHAR", "word": "TEXT_BOUNDARY_WORD_START", "line": "TEXT_BOUNDARY_LINE_START"}


def gi_atspi():
    from gi.repository import Atspi
    return Atspi


class Reader:
    """The test's screen reader: the program's accessible objects and the
    caret and selection events they send."""

    def __init__(self, session):
        session.client_environment()
        # The client library's older calls are the ones this toolkit's bridge
        # answers; their deprecation notes would only bury the results.
        warnings.filterwarnings("ignore", category=DeprecationWarning)
        try:
            import pyatspi
            from gi.repository import GLib
        except ImportError as error:
            raise SetupError(f"{error} (install python3-pyatspi: scripts/setup.sh)")
        self.atspi = pyatspi
        # The library gives up on a question after 0.8 s; a busy machine
        # running the sanitized program can take longer to answer.
        gi_atspi().set_timeout(120_000, 120_000)
        self.context = GLib.MainContext.default()
        self.events = []
        pyatspi.Registry.registerEventListener(
            self.events.append, "object:text-caret-moved", "object:text-selection-changed")
        desktop = pyatspi.Registry.getDesktop(0)
        self.application = wait_for(
            lambda: next((app for app in desktop if app is not None and app.name == os.path.basename(PROBE)), None),
            "the probe on the accessibility bus", pump=self.pump)
        self.boxes = {name: self.find(lambda node, name=name: node.name == name)[0] for name in BOXES}

    def pump(self):
        while self.context.iteration(False):
            pass

    def settle(self):
        """Receives every event the program sent before now: a question's
        answer comes after all it sent before it on the same connection."""
        self.boxes["listBox"].queryText().caretOffset
        self.pump()

    def find(self, wanted, node=None):
        """Every object under `node` (the application) for which `wanted` holds."""
        node = node or self.application
        found = [node] if wanted(node) else []
        for child in node:
            if child is not None:
                found += self.find(wanted, child)
        return found

    def text(self, box):
        return self.boxes[box].queryText()

    def last_caret(self, box):
        """The caret offset of the latest caret event from `box`, or None."""
        self.settle()
        offsets = [event.detail1 for event in self.events
                   if event.type == "object:text-caret-moved" and event.source == self.boxes[box]]
        return offsets[-1] if offsets else None

    def selection_events(self, box):
        self.settle()
        return sum(1 for event in self.events
                   if event.type == "object:text-selection-changed" and event.source == self.boxes[box])


class ListBoxAccessibilityTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = Session(PROBE).__enter__()
        try:
            cls.reader = Reader(cls.session)
        except BaseException:
            cls.session.__exit__(None, None, None)
            raise

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def both(self, command):
        for box in BOXES:
            self.session.command(command.replace("BOX", box))

    def focus(self, box):
        self.session.command(f"focus {box}")
        wait_for(lambda: self.reader.boxes[box].getState().contains(self.reader.atspi.STATE_FOCUSED),
                 f"{box} to have the keyboard focus", pump=self.reader.pump)

    def wait_for_text(self, box, text, after):
        # What a reader reads follows the program's events, which a busy
        # machine may deliver late: wait for the text, then judge it.
        wait_for(lambda: self.reader.text(box).getText(0, -1) == text,
                 lambda: f"{box} to hold {text!r} after {after} (holds {self.reader.text(box).getText(0, -1)!r})",
                 pump=self.reader.pump)

    def set_both(self, text):
        self.both("set BOX " + text.replace("\n", "\\n"))
        for box in BOXES:
            self.wait_for_text(box, text, "set")

    def test_boxes_are_named_after_their_labels(self):
        atspi = self.reader.atspi
        named = sorted(node.name for node in self.reader.find(lambda node: node.getRole() == atspi.ROLE_TEXT)
                       if node.name not in BOXES)
        self.assertEqual(named, sorted(["输入:", "输出:", "批量输入(以回车分割):", "批量输出:"]))

    def test_only_the_box_itself_reports_the_focus(self):
        self.focus("listBox")
        focused = self.reader.find(lambda node: node.getState().contains(self.reader.atspi.STATE_FOCUSED),
                                   self.reader.boxes["listBox"])
        self.assertEqual([node.name for node in focused], ["listBox"])

    def test_caret_and_selection_events_follow_each_edit(self):
        # Each step with the caret it leaves and whether text is selected.
        steps = [
            ("type BOX a", 1, False, "a"),
            ("type BOX b", 2, False, "ab"),
            ("key BOX Return", 3, False, "ab\n"),
            ("type BOX 中", 4, False, "ab\n中"),
            ("type BOX 文", 5, False, "ab\n中文"),
            ("key BOX Backspace", 4, False, "ab\n中"),
            ("key BOX Ctrl+Z", 5, False, "ab\n中文"),
            ("key BOX Home", 3, False, "ab\n中文"),
            ("key BOX Shift+End", 5, True, "ab\n中文"),
            ("type BOX x", 4, False, "ab\nx"),
            ("key BOX Ctrl+Home", 0, False, "ab\nx"),
            ("key BOX Delete", 0, False, "b\nx"),
            ("key BOX End", 1, False, "b\nx"),
            ("key BOX Delete", 1, False, "bx"),
        ]
        self.set_both("")
        for box in BOXES:
            self.focus(box)
            selection_events = self.reader.selection_events(box)
            was_selected = False
            for command, caret, selected, text in steps:
                # The first wrong step ends the test: every later one waits
                # on an event that would never come.
                step = f"{box} after {command!r}"
                self.focus(box)
                self.session.command(command.replace("BOX", box))
                wait_for(lambda: self.reader.last_caret(box) == caret,
                         lambda: f"{step}: a caret event at {caret} (last {self.reader.last_caret(box)})",
                         pump=self.reader.pump)
                self.wait_for_text(box, text, step)
                self.assertEqual(self.reader.text(box).caretOffset, caret, step)
                if selected or was_selected:
                    wait_for(lambda: self.reader.selection_events(box) > selection_events,
                             lambda: f"{step}: a selection event ({self.reader.selection_events(box)} in all, "
                                     f"{self.reader.text(box).getNSelections()} selections now)",
                             pump=self.reader.pump)
                else:
                    self.assertEqual(self.reader.selection_events(box), selection_events,
                                     f"{step}: a selection event with nothing selected before or after")
                selection_events = self.reader.selection_events(box)
                was_selected = selected

    def test_text_at_offsets_around_line_breaks_reads_as_in_the_stock_box(self):
        atspi = self.reader.atspi
        self.set_both(LINES)
        listed, stock = self.reader.text("listBox"), self.reader.text("stockBox")
        self.assertEqual(listed.characterCount, stock.characterCount)
        for name, boundary in BOUNDARIES.items():
            for offset in range(stock.characterCount + 1):
                with self.subTest(boundary=name, offset=offset):
                    self.assertEqual(listed.getTextAtOffset(offset, atspi.__dict__[boundary]),
                                     stock.getTextAtOffset(offset, atspi.__dict__[boundary]))

    def test_text_before_and_after_line_breaks_is_the_neighbouring_item(self):
        # The stock box answers these with the item at the offset itself;
        # a reader stepping through the text needs the one next to it.
        atspi = self.reader.atspi
        self.set_both(LINES)
        cases = [
            ("getTextBeforeOffset", "char", 6, ("\n", 5, 6)),
            ("getTextAfterOffset", "char", 5, ("中", 6, 7)),
            ("getTextAfterOffset", "char", 16, ("", -1, -1)),
            ("getTextBeforeOffset", "word", 6, ("cd", 3, 5)),
            ("getTextAfterOffset", "word", 4, ("中文", 6, 8)),
            ("getTextBeforeOffset", "word", 0, ("", -1, -1)),
            ("getTextBeforeOffset", "line", 6, ("ab cd", 0, 5)),
            ("getTextBeforeOffset", "line", 13, ("", 12, 12)),
            ("getTextAfterOffset", "line", 5, ("中文 12", 6, 11)),
            ("getTextAfterOffset", "line", 11, ("", 12, 12)),
            ("getTextAfterOffset", "line", 14, ("", -1, -1)),
        ]
        for query, boundary, offset, expected in cases:
            with self.subTest(query=query, boundary=boundary, offset=offset):
                found = getattr(self.reader.text("listBox"), query)(offset, atspi.__dict__[BOUNDARIES[boundary]])
                self.assertEqual(found, expected)

    def test_editable_text_edits_as_the_user_does(self):
        self.set_both("ab\ncd")
        edits = [
            ("insertText", (3, "中", 1), "ab\n中cd"),
            ("setTextContents", ("x\ny",), "x\ny"),
            ("deleteText", (1, 2), "xy"),
        ]
        for box in BOXES:
            editable = self.reader.boxes[box].queryEditableText()
            for method, arguments, text in edits:
                with self.subTest(box=box, edit=method):
                    getattr(editable, method)(*arguments)
                    self.wait_for_text(box, text, method)
            self.focus(box)
            self.session.command(f"key {box} Ctrl+Z")
            self.wait_for_text(box, "x\ny", "undo")
        read_only = self.reader.find(lambda node: node.name == "批量输出:")[0]
        self.assertNotIn("EditableText", read_only.get_interfaces())


if __name__ == "__main__":
    # A missing bus, display or client library fails the test with the
    # reason (raised in setUpClass), never skips it.
    unittest.main(verbosity=2)
