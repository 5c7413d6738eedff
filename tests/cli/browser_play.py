#!/usr/bin/env python3
"""Plays a video in headless Chromium and prints what the page saw: "ended"
with the play time, or the error. The page is served with the video from a
local server; a picture on the page is held back until the video has ended,
so Chromium's load event (after which --dump-dom returns) waits for the end.

    browser_play.py CHROMIUM VIDEO [TIMEOUT_SECONDS]

Exits 0 when the video ended. Used by tests/cli/compile_video_command_test.cpp.
"""
import http.server
import os
import subprocess
import sys
import threading

PAGE = """<!doctype html><html><body>
<video id="v" src="/video/%s" muted autoplay playsinline></video>
<img src="/hold" alt="">
<script>
const v = document.getElementById('v');
function report(state) { fetch('/report?' + encodeURIComponent(state)); }
v.addEventListener('ended', () => report('ended ' + v.currentTime.toFixed(3) + ' ' + v.videoWidth + 'x' + v.videoHeight));
v.addEventListener('error', () => report('error ' + (v.error ? v.error.code + ' ' + v.error.message : '')));
v.play().catch(e => report('refused ' + e.name));
</script></body></html>"""


def main():
    chromium, video = sys.argv[1], os.path.abspath(sys.argv[2])
    timeout = float(sys.argv[3]) if len(sys.argv) > 3 else 60.0
    reported = threading.Event()
    state = ["timeout"]

    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def send(self, body, kind):
            self.send_response(200)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            if self.path == "/":
                self.send((PAGE % os.path.basename(video)).encode(), "text/html")
            elif self.path.startswith("/video/"):
                with open(video, "rb") as f:
                    data = f.read()
                self.send(data, "video/webm" if video.endswith(".webm") else "video/mp4")
            elif self.path.startswith("/report?"):
                from urllib.parse import unquote
                state[0] = unquote(self.path[len("/report?"):])
                reported.set()
                self.send(b"", "text/plain")
            elif self.path == "/hold":
                reported.wait(timeout)
                self.send(b"GIF89a\x01\x00\x01\x00\x00\x00\x00;", "image/gif")
            else:
                self.send_error(404)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/" % server.server_address[1]
    try:
        subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--mute-audio",
                        "--no-first-run", "--user-data-dir=" + os.path.dirname(video) + "/chromium-profile",
                        "--autoplay-policy=no-user-gesture-required", "--dump-dom", url],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout + 30)
    except subprocess.TimeoutExpired:
        pass
    server.shutdown()
    print(state[0])
    return 0 if state[0].startswith("ended") else 1


if __name__ == "__main__":
    sys.exit(main())
