#!/usr/bin/python3
"""What a screen reader user gets from the settings window.

Starts the shipped program from a fresh copy of its folder on a private X server, with Qt's
accessibility bridge on, and reads it through the accessibility bus (AT-SPI) as Orca does:
every control by its accessible name, with its role, states, description and the label that
names it; the interval spinner read and set through its value. Run inside its own session
bus (dbus-run-session); usage: tst_screenreader.py PROGRAM.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

SKIP = 77  # CTest counts the run as skipped
try:
    import pyatspi
except ImportError:
    print("No AT-SPI client library (Debian package python3-pyatspi)")
    sys.exit(SKIP)

TITLE = "DAZU - Configuración"
ROLES_OF_A_LIST = {"list", "list box"}
STATES = {"enabled": pyatspi.STATE_ENABLED, "focusable": pyatspi.STATE_FOCUSABLE,
          "checked": pyatspi.STATE_CHECKED}

# Each frame with what it holds after the first start (the default settings): role, name,
# description, states (of enabled, focusable, checked) and the label that names it. A combo
# box goes by the text it shows on this bus, so it is found by its label instead.
FRAMES = {
    "Ejecución": [
        ("check box", "Programa a ejecutar en la Pc.", "Ejecutar Si/No el programa en la Pc.",
         "enabled focusable", None),
        ("text", "Programa en Pc.", "Programa en Pc.", "focusable", None),
        ("check box", "Programa a ejecutar en la Terminal",
         "Ejecutar Si/No el programa en la terminal", "enabled focusable checked", None),
        ("text", "Programa en la Terminal", "Programa en la Terminal", "enabled focusable", None),
        ("label", "Directorio destino para los archivos descargados",
         "Archivo a unir con el principal", "enabled", None),
        ("text", "Directorio destino para los archivos descargados",
         "Archivo a unir con el principal", "focusable",
         "Directorio destino para los archivos descargados"),
        ("push button", "Seleccione el directorio donde quiere dejar los archivos", "",
         "enabled focusable", None),
        ("check box", "Unir archivos", "Unir archivos", "enabled focusable", None),
        ("label", "Archivo principal en Pc.", "Archivo principal en Pc.", "enabled", None),
        ("text", "Archivo principal en Pc.", "Archivo principal en Pc.", "focusable",
         "Archivo principal en Pc."),
        ("label", "Archivo para adjuntar al principal", "Archivo a unir con el principal",
         "enabled", None),
        ("text", "Archivo para adjuntar al principal", "Archivo a unir con el principal",
         "focusable", "Archivo para adjuntar al principal"),
        ("check box", "Borrar archivo de unión después de transmitir",
         "Borrar después de la lectura", "focusable", None),
        ("check box", "Preguntar si desea descargar otro Hand Held",
         "Borrar después de la lectura", "enabled focusable", None),
    ],
    "Comunicaciones": [
        ("check box", "Lectura automática", "Lectura automática", "enabled focusable checked",
         None),
        ("label", "Intervalo de lectura", "Velocidad de Transmisión", "enabled", None),
        ("text", "Intervalo de Lectura", "Intervalo de Lectura", "enabled focusable",
         "Intervalo de lectura"),
        ("spin button", "Intervalo de lectura", "", "enabled focusable", None),
        ("label", "Puerto de comunicaciones", "Puerto de comunicaciones", "enabled", None),
        ("combo box", None, "Puerto de Comunicaciones", "enabled focusable",
         "Puerto de comunicaciones"),
        ("label", "Velocidad de Transmisión", "Velocidad de Transmisión", "enabled", None),
        ("combo box", None, "Velocidad de Transmisión", "enabled focusable",
         "Velocidad de Transmisión"),
    ],
}
for frame, sent in (("Archivos del Hand Held a la PC", "enviados"),
                    ("Archivos de la PC al Hand Held", "recibidos")):
    FRAMES[frame] = [
        ("list", frame, "Lista de archivos", "enabled focusable", None),
        ("check box", "Borrar archivos " + sent, "Borrar archivos trasladados de la terminal",
         "enabled focusable", None),
        ("push button", "Agregar", "Agregar archivo", "enabled focusable", None),
        ("push button", "Borrar", "Borrar archivo", "enabled focusable", None),
        ("text", "Agregar archivo", "Agregar archivo", "focusable", None),
    ]
FRAME_DESCRIPTIONS = {"Archivos del Hand Held a la PC": "Lista de archivos",
                      "Archivos de la PC al Hand Held": "Lista de archivos"}
WINDOW_CONTROLS = [
    ("page tab", "Ejecución", "", "enabled focusable", None),
    ("page tab", "Comunicaciones", "", "enabled focusable", None),
    ("page tab", "Archivos", "", "enabled focusable", None),
    ("push button", "Aceptar", "Grabar información", "enabled focusable", None),
    ("push button", "Cancelar", "", "enabled focusable", None),
]


def wait_for(condition, what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while True:
        found = condition()
        if found:
            return found
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.1)


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def role_of(node):
    role = node.getRoleName()
    return "list" if role in ROLES_OF_A_LIST else role


def states_of(node):
    present = node.getState()
    return {name for name, state in STATES.items() if present.contains(state)}


def labels_of(node):
    return [relation.getTarget(i).name for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())
            if relation.getTarget(i).getRoleName() == "label"]


class XServer:
    def __init__(self):
        read, write = os.pipe()
        try:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", "-noreset"], pass_fds=(write,),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except FileNotFoundError:
            print("No X server for the end-to-end tests (Debian package xvfb)")
            sys.exit(SKIP)
        finally:
            os.close(write)
        with os.fdopen(read) as numbers:
            self.display = ":" + numbers.readline().strip()

    def stop(self):
        self.process.terminate()
        self.process.wait()


class ScreenReader(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        program = sys.argv[1]
        application = shutil.copytree(os.path.dirname(program),
                                      os.path.join(cls.folder.name, "dazu"))
        cls.x = XServer()
        environment = dict(os.environ, DISPLAY=cls.x.display, QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
        for setting in ("QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR"):
            environment.pop(setting, None)
        cls.program = subprocess.Popen(
            [os.path.join(application, os.path.basename(program))], env=environment,
            cwd=cls.folder.name)
        cls.window = wait_for(cls.shownWindow, "the window on the accessibility bus")

    @classmethod
    def shownWindow(cls):
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.get_process_id() == cls.program.pid:
                for window in application:
                    if window is not None and window.name == TITLE:
                        return window
        return None

    @classmethod
    def tearDownClass(cls):
        cls.program.terminate()
        cls.program.wait()
        cls.x.stop()
        cls.folder.cleanup()

    def find(self, within, role, name=None, label=None):
        found = [node for node in descendants(within) if role_of(node) == role and
                 (name is None or node.name == name) and
                 (label is None or label in labels_of(node))]
        self.assertEqual(len(found), 1, f"{role} {name or 'labelled ' + label}")
        return found[0]

    def check(self, within, rows):
        for role, name, description, states, label in rows:
            with self.subTest(role=role, name=name, label=label):
                node = self.find(within, role, name, label)
                self.assertEqual(node.description, description)
                self.assertEqual(states_of(node), set(states.split()))
                if label is not None:
                    self.assertEqual(labels_of(node), [label])

    def test_window_is_a_dialog(self):
        self.assertIn(self.window.getRoleName(), {"dialog", "frame"})

    def test_window_controls(self):
        self.check(self.window, WINDOW_CONTROLS)

    def test_every_frame_and_its_controls(self):
        for frame, rows in FRAMES.items():
            panel = self.find(self.window, "panel", frame)
            self.assertEqual(panel.description, FRAME_DESCRIPTIONS.get(frame, ""))
            self.check(panel, rows)

    def test_spinner_value_is_read_and_set(self):
        spinner = self.find(self.window, "spin button", "Intervalo de lectura")
        interval = self.find(self.window, "text", "Intervalo de Lectura").queryText()
        value = spinner.queryValue()
        self.assertEqual((value.minimumValue, value.maximumValue), (0, 32000))
        self.assertEqual(value.currentValue, 5000)  # the default setting
        for wanted, kept in ((1234, 1234), (40000, 32000), (-5, 0)):
            value.currentValue = wanted
            wait_for(lambda: value.currentValue == kept, f"the spinner at {kept}")
            # The spinner's own handler writes its value into the interval box.
            wait_for(lambda: interval.getText(0, -1) == str(kept), f"the interval {kept}")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
