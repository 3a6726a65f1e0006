"""A screen reader's world of the test's own: an X server on a free
display, a private session bus, the accessibility bus on it, and a program
started there with the toolkit's accessibility bridge switched on. Every
part is stopped again with the session, however the test ends.

    with Session(probe) as session:
        session.command("type listBox ab")
"""

import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
PR_SET_PDEATHSIG = 1
libc = ctypes.CDLL(None, use_errno=True)


def own_group_ending_with_test():
    """Runs in each child before it starts: a process group of its own, so
    that what it starts (the accessibility bus's daemon and registry) can be
    stopped with it, and an end of its own should the test die first."""
    os.setsid()
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class SetupError(Exception):
    pass


def wait_for(condition, what, limit=120.0, pump=None):
    """Polls `condition` (pumping events with `pump`) until it gives a true
    value, which it returns; fails naming `what` (a text, or a function that
    gives one then) after `limit` seconds."""
    deadline = time.monotonic() + limit
    while True:
        if pump:
            pump()
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {limit:.0f} s for {what() if callable(what) else what}")
        time.sleep(0.02)


def require_tools():
    missing = [tool for tool in ("Xvfb", "dbus-daemon", "dbus-send") if shutil.which(tool) is None]
    if not os.access(BUS_LAUNCHER, os.X_OK):
        missing.append(BUS_LAUNCHER)
    if missing:
        raise SetupError("missing " + ", ".join(missing) + " (install xvfb dbus at-spi2-core: scripts/setup.sh)")


class Session:
    def __init__(self, program):
        self.program = program
        self.processes = []

    def __enter__(self):
        require_tools()
        try:
            self.runtime = tempfile.mkdtemp(prefix="velkrant-a11y-")
            os.chmod(self.runtime, 0o700)
            self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
            for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"):
                self.env.pop(name, None)
            self._start_display()
            self._start_buses()
            self._start_program()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self, arguments, env=None, **options):
        process = subprocess.Popen(arguments, env=env or self.env, preexec_fn=own_group_ending_with_test, **options)
        self.processes.append(process)
        return process

    def _start_display(self):
        read, write = os.pipe()
        server = self._start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
                             pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            number = display.readline().strip()
        if not number:
            raise SetupError(f"Xvfb did not start (exit {server.poll()})")
        self.env["DISPLAY"] = ":" + number

    def _start_buses(self):
        # The session bus as a child of this process (rather than through
        # dbus-launch, which leaves it behind) so that it ends with the test.
        bus = self._start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                          text=True)
        address = bus.stdout.readline().strip()
        if not address:
            raise SetupError(f"dbus-daemon gave no session bus (exit {bus.poll()})")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self._start([BUS_LAUNCHER, "--launch-immediately"], stderr=subprocess.DEVNULL)
        ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
               "org.a11y.Bus.GetAddress"]
        wait_for(lambda: subprocess.run(ask, env=self.env, capture_output=True).returncode == 0,
                 "the accessibility bus to answer on the session bus")

    def _start_program(self):
        env = dict(self.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="zh_CN.UTF-8")
        self.probe = self._start([self.program], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                 encoding="utf-8")
        line = self.probe.stdout.readline().strip()
        if line != "ready":
            raise SetupError(f"the probe did not start: {line!r} (exit {self.probe.poll()})")

    def client_environment(self):
        """What this process needs to read the program over the bus."""
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def command(self, line):
        """Sends one command to the probe and waits for its answer."""
        self.probe.stdin.write(line + "\n")
        self.probe.stdin.flush()
        answer = self.probe.stdout.readline().strip()
        if answer != "ok":
            raise AssertionError(f"probe: {line!r} -> {answer!r}")

    def __exit__(self, *_):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                    process.wait(timeout=30)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
                except ProcessLookupError:
                    pass
            for stream in (process.stdin, process.stdout):
                if stream:
                    stream.close()
        shutil.rmtree(getattr(self, "runtime", ""), ignore_errors=True)

