"""Two real Syncthing instances on 127.0.0.1 keeping two folders in step, for the
end-to-end case of two computers. Only 127.0.0.1 addresses; discovery, relays, NAT
and reporting off, so nothing leaves the machine."""

import ctypes
import json
import os
import signal
import socket
import subprocess
import urllib.request
import xml.etree.ElementTree as ET

FOLDER_ID = "lembretes"
NO_PROXY = urllib.request.build_opener(urllib.request.ProxyHandler({}))
# Only the data file and its conflict copies travel.
IGNORE = "!/lembretes.dat\n!/lembretes.sync-conflict-*.dat\n*\n"


def die_with_parent():
    """In the child: ends Syncthing when the case's process is killed (a timeout),
    so no instance is left listening."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def free_port():
    """A port free now; Syncthing binds it a moment later."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def set_text(parent, tag, text):
    node = parent.find(tag)
    if node is None:
        node = ET.SubElement(parent, tag)
    node.text = str(text)


class Instance:
    """One Syncthing with its home under root, sharing folder with one other device."""

    def __init__(self, root, name, folder):
        self.home = os.path.join(root, name)
        self.folder = folder
        self.name = name
        self.port = free_port()
        self.gui = free_port()
        self.proc = None
        self.log = None
        r = subprocess.run(["syncthing", "generate", f"--home={self.home}",
                            "--no-default-folder"], capture_output=True, text=True, timeout=60)
        if r.returncode != 0:
            raise RuntimeError(f"syncthing generate failed: {r.stdout}{r.stderr}")
        self.config = os.path.join(self.home, "config.xml")
        tree = ET.parse(self.config)
        self.id = tree.getroot().find("device").get("id")
        self.apikey = tree.getroot().find("gui/apikey").text

    def configure(self, other, dial):
        """Shares the folder with other; only the side that dials knows its address,
        so the two never race to connect. maxConflicts must be set: a folder written
        into config.xml without it keeps no conflict copies at all."""
        tree = ET.parse(self.config)
        root = tree.getroot()
        gui = root.find("gui")
        set_text(gui, "address", f"127.0.0.1:{self.gui}")
        opts = root.find("options")
        for tag, value in [("listenAddress", f"tcp://127.0.0.1:{self.port}"),
                           ("globalAnnounceEnabled", "false"),
                           ("localAnnounceEnabled", "false"),
                           ("relaysEnabled", "false"), ("natEnabled", "false"),
                           ("urAccepted", "-1"), ("crashReportingEnabled", "false"),
                           ("startBrowser", "false"), ("autoUpgradeIntervalH", "0"),
                           ("reconnectionIntervalS", "1")]:
            set_text(opts, tag, value)
        dev = ET.SubElement(root, "device", id=other.id, name=other.name,
                            compression="metadata", introducer="false")
        set_text(dev, "address", f"tcp://127.0.0.1:{other.port}" if dial else "dynamic")
        folder = ET.Element("folder", id=FOLDER_ID, label=FOLDER_ID, path=self.folder,
                            type="sendreceive", rescanIntervalS="3600", fsWatcherEnabled="true",
                            fsWatcherDelayS="1", ignorePerms="false", autoNormalize="true")
        for d in (self.id, other.id):
            ET.SubElement(folder, "device", id=d)
        set_text(folder, "maxConflicts", "10")
        # A pull that meets a file the program just wrote retries after this, not a minute.
        set_text(folder, "pullerPauseS", "2")
        set_text(folder, "markerName", ".stfolder")
        root.insert(0, folder)
        tree.write(self.config)
        # The marker Syncthing wants before it syncs a folder it did not create.
        os.makedirs(os.path.join(self.folder, ".stfolder"), exist_ok=True)
        with open(os.path.join(self.folder, ".stignore"), "w") as f:
            f.write(IGNORE)

    def start(self):
        self.log = open(os.path.join(self.home, "syncthing.log"), "a")
        # No proxy between two local instances.
        env = {k: v for k, v in os.environ.items() if not k.lower().endswith("_proxy")}
        env.update(STNOUPGRADE="1", STNODEFAULTFOLDER="1", STNORESTART="1")
        self.proc = subprocess.Popen(["syncthing", "serve", f"--home={self.home}", "--no-browser",
                                      "--no-restart", "--no-upgrade"],
                                     stdout=self.log, stderr=subprocess.STDOUT,
                                     stdin=subprocess.DEVNULL, env=env,
                                     preexec_fn=die_with_parent)

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None
        if self.log:
            self.log.close()
            self.log = None

    def log_text(self):
        try:
            with open(os.path.join(self.home, "syncthing.log"), errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def rest(self, path):
        req = urllib.request.Request(f"http://127.0.0.1:{self.gui}{path}",
                                     headers={"X-API-Key": self.apikey})
        try:
            with NO_PROXY.open(req, timeout=5) as r:
                return json.load(r)
        except OSError:
            return None

    def connected(self, other):
        c = self.rest("/rest/system/connections")
        return bool(c) and c.get("connections", {}).get(other.id, {}).get("connected", False)
