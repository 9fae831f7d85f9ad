"""The station window under test: its process, its drive socket, its heartbeat."""

import os
import signal
import socket
import subprocess
import threading
import time


class HookError(Exception):
    """The window did not answer, or answered with an error."""


class Hook:
    """One connection to the window's drive socket: a request a line, an answer a line."""

    def __init__(self, path, timeout=5.0):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(timeout)
        self.sock.connect(path)
        self.buf = b""

    def ask(self, request):
        try:
            self.sock.sendall(request.encode() + b"\n")
            while b"\n" not in self.buf:
                chunk = self.sock.recv(65536)
                if not chunk:
                    raise HookError("the window closed the drive socket")
                self.buf += chunk
        except OSError as e:
            raise HookError(f"{request}: {e}") from e
        answer, self.buf = self.buf.split(b"\n", 1)
        text = answer.decode("utf-8", "replace").replace("\\n", "\n")
        if text.startswith("ok"):
            return text[3:]
        raise HookError(f"{request}: {text}")

    def close(self):
        self.sock.close()


class Station:
    """Starts, kills and restarts the window; counts its generations."""

    def __init__(self, exe, folder, env, log_path):
        self.exe, self.folder, self.env, self.log_path = exe, folder, env, log_path
        self.sock_path = env["TAVRAN_DRIVE_SOCKET"]
        self.proc = None
        self.hook = None
        self.generation = 0
        self.lock = threading.RLock()
        self.starts = 0

    def start(self, timeout=30.0):
        with self.lock:
            if os.path.exists(self.sock_path):
                os.unlink(self.sock_path)
            log = open(self.log_path, "ab")
            self.proc = subprocess.Popen([self.exe, "--data-dir", self.folder], env=self.env,
                                         stdout=log, stderr=log, stdin=subprocess.DEVNULL)
            log.close()
            self.generation += 1
            self.starts += 1
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline:
                if self.proc.poll() is not None:
                    raise HookError(f"the station ended at start with code {self.proc.returncode}")
                try:
                    self.hook = Hook(self.sock_path)
                    self.hook.ask("ping")
                    return
                except (OSError, HookError):
                    time.sleep(0.2)
            raise HookError("the station did not answer within %.0f s" % timeout)

    def alive(self):
        return self.proc is not None and self.proc.poll() is None

    def kill(self):
        with self.lock:
            if self.proc and self.proc.poll() is None:
                self.proc.send_signal(signal.SIGKILL)
                self.proc.wait(10)
            if self.hook:
                self.hook.close()
                self.hook = None

    def ask(self, request):
        with self.lock:
            if not self.hook or not self.alive():
                raise HookError("the station is not running")
            return self.hook.ask(request)

    def rss_kb(self):
        try:
            with open(f"/proc/{self.proc.pid}/status") as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1])
        except (OSError, AttributeError):
            pass
        return 0


class Heartbeat(threading.Thread):
    """Pings the window on a connection of its own: the longest answer is the longest freeze."""

    def __init__(self, station, period=0.25):
        super().__init__(daemon=True)
        self.station, self.period = station, period
        self.longest = 0.0
        self.longest_at = None
        self.peak_rss_kb = 0
        self.stop_event = threading.Event()

    def run(self):
        hook, generation = None, None
        while not self.stop_event.wait(self.period):
            st = self.station
            if not st.alive():
                hook = None
                continue
            self.peak_rss_kb = max(self.peak_rss_kb, st.rss_kb())
            if hook is None or generation != st.generation:
                try:
                    generation = st.generation
                    hook = Hook(st.sock_path, timeout=30.0)
                except OSError:
                    hook = None
                    continue
            began = time.monotonic()
            try:
                hook.ask("ping")
            except HookError:
                hook = None
                continue  # killed or restarted while waiting: not a freeze
            if generation == st.generation and st.alive():
                took = time.monotonic() - began
                if took > self.longest:
                    self.longest, self.longest_at = took, time.strftime("%H:%M:%S")

    def stop(self):
        self.stop_event.set()
