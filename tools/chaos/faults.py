"""What goes wrong in a plant: scales, the print scheduler, the disk, the central server."""

import collections
import glob
import os
import re
import select
import shutil
import signal
import socket
import subprocess
import threading
import time

WEIGHT = re.compile(rb"[+-]?\d+\.\d+")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class ScaleRelay(threading.Thread):
    """Stands between a simulated scale and the station on 127.0.0.1.

    Forwards what the scale sends and remembers every weight the station was
    sent and when; the faults are played here: the link drops, the scale goes
    silent, floods garbage, or shows zero while a package is on it."""

    def __init__(self, name, upstream_port, line_end, rng):
        super().__init__(daemon=True)
        self.name, self.upstream_port, self.line_end, self.rng = name, upstream_port, line_end, rng
        self.listener = socket.socket()
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(4)
        self.port = self.listener.getsockname()[1]
        self.mode = "normal"  # normal, down, pause, zero
        self.client = None
        self.sent = collections.deque(maxlen=4000)  # (monotonic time, kg)
        self.lock = threading.Lock()
        self.stop_event = threading.Event()
        self.upstream = None
        self.trace = None  # file receiving every byte sent to the station, with its time

    def keep_trace(self, path):
        self.trace = open(path, "a", buffering=1)

    def weights_between(self, start, end):
        with self.lock:
            return {kg for t, kg in self.sent if start <= t <= end}

    def _connect_upstream(self):
        for _ in range(50):
            try:
                self.upstream = socket.create_connection(("127.0.0.1", self.upstream_port), 1)
                self.upstream.settimeout(0.2)
                return
            except OSError:
                time.sleep(0.1)

    def _send(self, data, weights):
        if not self.client:
            return
        try:
            self.client.sendall(data)
        except OSError:
            self.client.close()
            self.client = None
            return
        now = time.monotonic()
        if self.trace:
            self.trace.write(f"{time.strftime('%H:%M:%S')} {now:.3f} {self.mode} {data!r}\n")
        with self.lock:
            for kg in weights:
                self.sent.append((now, kg))

    def garbage(self, count):
        junk = bytes(self.rng.choice(b"abcXYZ#*!?\x00\x01\x7f\xff\xfe kg\r\n") for _ in range(count))
        self._send(junk, [])

    def run(self):
        self._connect_upstream()
        while not self.stop_event.is_set():
            if not self.upstream:
                self._connect_upstream()
            waiting = [self.listener] + ([self.upstream] if self.upstream else [])
            try:
                ready, _, _ = select.select(waiting, [], [], 0.2)
            except (OSError, ValueError):
                break
            if self.mode == "down" and self.client:
                self.client.close()
                self.client = None
            if self.listener in ready:
                try:
                    conn, _ = self.listener.accept()
                except OSError:
                    continue
                if self.mode == "down":
                    conn.close()
                else:
                    if self.client:
                        self.client.close()
                    self.client = conn
            if self.upstream in ready:
                try:
                    data = self.upstream.recv(4096)
                except OSError:
                    data = b""
                if not data:
                    self.upstream.close()
                    self.upstream = None
                elif self.mode == "normal":
                    self._send(data, [float(w) for w in WEIGHT.findall(data)])
                elif self.mode == "zero":
                    end = b"\r\n" if self.line_end else b""
                    self._send(b"+0000.000 kg" + end, [0.0])

    def stop(self):
        self.stop_event.set()
        self.listener.close()


class Scheduler:
    """The tests' private print scheduler: started, stopped and restarted in place,
    its queues disabled; the PDFs it prints are moved into an archive as they arrive."""

    def __init__(self, root, folder, env):
        self.root, self.folder, self.env = root, folder, env
        self.archive = os.path.join(os.path.dirname(folder), "printed")
        self.count = 0
        self.proc = None

    def sh(self, *args, check=True):
        return subprocess.run(args, env=self.env, check=check, capture_output=True, text=True,
                              timeout=60)

    def start(self):
        r = self.sh(os.path.join(self.root, "tests/cups/start-cups.sh"), self.folder, "--skip-code",
                    check=False)
        if r.returncode != 0:
            return r.returncode, (r.stderr or r.stdout).strip()
        return 0, ""

    def harvest(self):
        for queue in ("Etiket", "Fis"):
            target = os.path.join(self.archive, queue)
            os.makedirs(target, exist_ok=True)
            for pdf in glob.glob(os.path.join(self.folder, "pdf", queue, "*.pdf")):
                self.count += 1
                shutil.move(pdf, os.path.join(target, f"{self.count:06d}-{os.path.basename(pdf)}"))

    def idle(self, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            r = self.sh("lpstat", "-o", check=False)
            if r.returncode == 0 and not r.stdout.strip():
                return True
            time.sleep(0.3)
        return False

    def stop(self):
        """Stops the scheduler without wiping its spool: queued jobs print after the restart."""
        pid_file = os.path.join(self.folder, "cupsd.pid")
        try:
            pid = int(open(pid_file).read())
            os.kill(pid, signal.SIGTERM)
            for _ in range(50):
                os.kill(pid, 0)
                time.sleep(0.1)
            os.kill(pid, signal.SIGKILL)
        except (OSError, ValueError):
            pass
        self.harvest()

    def restart(self):
        conf = os.path.join(self.folder, "conf")
        log = open(os.path.join(self.folder, "log", "cupsd.out"), "ab")
        proc = subprocess.Popen(["/usr/sbin/cupsd", "-f", "-c", os.path.join(conf, "cupsd.conf"),
                                 "-s", os.path.join(conf, "cups-files.conf")],
                                stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                start_new_session=True)
        log.close()
        self.proc = proc
        with open(os.path.join(self.folder, "cupsd.pid"), "w") as f:
            f.write(str(proc.pid))
        for _ in range(100):
            if self.sh("lpstat", "-r", check=False).stdout.strip().endswith("is running"):
                return
            time.sleep(0.1)

    def set_enabled(self, queue, enabled):
        self.sh("cupsenable" if enabled else "cupsdisable", queue, check=False)

    def shutdown(self):
        subprocess.run([os.path.join(self.root, "tests/cups/stop-cups.sh"), self.folder],
                       env=self.env, check=False, timeout=60)
        if self.proc:
            self.proc.wait(10)


class Disk:
    """A small file system of its own for the station folder, which can be filled up."""

    def __init__(self, mount_point, size_mb):
        self.mount_point = mount_point
        self.mounted = False
        self.note = ""
        os.makedirs(mount_point, exist_ok=True)
        if os.geteuid() != 0:
            self.note = "not root: no own file system, disk-full faults skipped"
            return
        r = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size_mb}m", "tmpfs", mount_point],
                           capture_output=True, text=True)
        if r.returncode == 0:
            self.mounted = True
        else:
            self.note = "cannot mount a tmpfs: " + r.stderr.strip()

    def fill(self):
        path = os.path.join(self.mount_point, ".filler")
        for block in (1 << 20, 4096, 64):
            try:
                with open(path, "ab", buffering=0) as f:
                    while True:
                        f.write(b"\0" * block)
            except OSError:
                pass

    def free(self):
        try:
            os.unlink(os.path.join(self.mount_point, ".filler"))
        except OSError:
            pass

    def unmount(self, keep_copy):
        if not self.mounted:
            return
        self.mounted = False
        self.free()
        shutil.copytree(self.mount_point, keep_copy, dirs_exist_ok=True)
        subprocess.run(["umount", "-l", self.mount_point], check=False)


class Central:
    """The tests' PostgreSQL server: restarted in place, or its stations' connections cut."""

    def __init__(self, root, folder, env):
        self.root, self.folder, self.env = root, folder, env
        self.port = None
        self.note = ""

    def start(self):
        r = subprocess.run([os.path.join(self.root, "tests/postgres/start-postgres.sh"), self.folder,
                            "--skip-code"], capture_output=True, text=True, timeout=120)
        if r.returncode != 0:
            self.note = (r.stderr or r.stdout).strip()
            return False
        self.port = int(open(os.path.join(self.folder, "port")).read())
        return True

    def url(self):
        return f"postgresql://tavran@127.0.0.1:{self.port}/tavran"

    def psql(self, sql):
        r = subprocess.run(["psql", "-h", "127.0.0.1", "-p", str(self.port), "-U", "tavran", "-d",
                            "tavran", "-AtXqc", sql], capture_output=True, text=True, timeout=60)
        return r.returncode, r.stdout

    def restart(self):
        subprocess.run([os.path.join(self.folder, "restart")], capture_output=True, timeout=90)

    def drop_connections(self):
        self.psql("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                  "WHERE datname = 'tavran' AND pid <> pg_backend_pid()")

    def shutdown(self):
        subprocess.run([os.path.join(self.root, "tests/postgres/stop-postgres.sh"), self.folder],
                       capture_output=True, timeout=90)
