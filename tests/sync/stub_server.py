#!/usr/bin/env python3
"""A calendar server that misbehaves on purpose: the first segment of a path says how.

Prints its port on the first line of its output, then serves until it is killed."""
import http.server
import sys
import time

MULTISTATUS = '<?xml version="1.0"?><multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">{}</multistatus>'
CALENDAR = ('<response><href>{}</href><propstat><prop><resourcetype><collection/><C:calendar/></resourcetype>'
            '<sync-token>t1</sync-token></prop><status>HTTP/1.1 200 OK</status></propstat></response>')


LUNCH = ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//stub//EN\r\nBEGIN:VEVENT\r\nUID:lunch-1\r\n"
         "DTSTAMP:20261201T000000Z\r\nDTSTART:20270104T120000\r\nDURATION:PT1H\r\nSUMMARY:Team lunch\r\n"
         "END:VEVENT\r\nEND:VCALENDAR\r\n")


# Set by a request to /forget-lunch: the event was deleted elsewhere since the last sync.
lunch_deleted = False


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def calendar(self, path, body, holds_lunch=True):
        """A working calendar that holds one event of its own and stores what it is sent."""
        if self.command == "PROPFIND":
            return self.answer(207, MULTISTATUS.format(CALENDAR.format(path)).encode())
        if self.command == "REPORT":
            if lunch_deleted and b"sync-collection" in body:
                return self.answer(207, MULTISTATUS.format('<response><href>{}lunch.ics</href>'
                                                           '<status>HTTP/1.1 404 Not Found</status></response>'
                                                           .format(path)).encode())
            if not holds_lunch or lunch_deleted:
                return self.answer(207, MULTISTATUS.format("").encode())
            data = "<C:calendar-data>{}</C:calendar-data>".format(LUNCH) if b"calendar-multiget" in body else ""
            return self.answer(207, MULTISTATUS.format(
                '<response><href>{}lunch.ics</href><propstat><prop><getetag>"l1"</getetag>{}</prop>'
                '<status>HTTP/1.1 200 OK</status></propstat></response>'.format(path, data)).encode())
        if self.command == "PUT":
            return self.answer(201, headers=[("ETag", '"1"')])
        return self.answer(405)

    def handle_any(self):
        global lunch_deleted
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        mode = self.path.strip("/").split("/")[0]
        if mode == "forget-lunch":
            lunch_deleted = True
            return self.answer(204)
        if mode == "unauthorized":
            self.answer(401, b"no", [("WWW-Authenticate", 'Basic realm="x"')])
        elif mode == "failing":
            self.answer(500, b"broken")
        elif mode == "slow":
            time.sleep(4)
            self.calendar(self.path, body)
        elif mode == "malformed":
            self.answer(207, b'<?xml version="1.0"?><multistatus xmlns="DAV:"><response><href>/x</href><prop')
        elif mode == "deep":
            self.answer(207, b'<multistatus xmlns="DAV:">' + b"<a>" * 100000 + b"</a>" * 100000 + b"</multistatus>")
        elif mode == "entities":
            laughs = b'<!DOCTYPE m [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;">]>'
            self.answer(207, laughs + b'<multistatus xmlns="DAV:"><response><href>&b;</href></response></multistatus>')
        elif mode == "conflicting":
            # Lists nothing, yet refuses every PUT as if someone else's copy were there.
            if self.command == "PUT":
                self.answer(412)
            else:
                self.calendar("/conflicting/", body, holds_lunch=False)
        elif mode == "moved":
            self.answer(308, headers=[("Location", "/calendar/")])
        elif mode == "looping":
            self.answer(302, headers=[("Location", self.path)])
        elif mode == "calendar":
            self.calendar("/calendar/", body)
        else:
            self.answer(404)

    do_PROPFIND = do_REPORT = do_PUT = do_DELETE = do_GET = handle_any


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
