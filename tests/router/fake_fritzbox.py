"""A FritzBox as far as zedulo-convert --fritzbox talks to one: TR-064's
description, the SOAP actions it calls (GetPhonebook behind HTTP Digest,
checked for real), and the phonebook behind a session id. On 127.0.0.1 only,
on a free port, over HTTP or HTTPS; faults on demand."""

import hashlib
import http.server
import os
import re
import secrets
import socket
import ssl
import threading
import time
import xml.etree.ElementTree as ElementTree
from xml.sax.saxutils import escape

ON_TEL = "urn:dslforum-org:service:X_AVM-DE_OnTel:1"
DEVICE_INFO = "urn:dslforum-org:service:DeviceInfo:1"
LAN_CONFIG_SECURITY = "urn:dslforum-org:service:LANConfigSecurity:1"
SOAP_ENVELOPE = "http://schemas.xmlsoap.org/soap/envelope/"
CONTROL = {
    DEVICE_INFO: "/upnp/control/deviceinfo",
    ON_TEL: "/upnp/control/x_contact",
    LAN_CONFIG_SECURITY: "/upnp/control/lanconfigsecurity",
}
REALM = "F!Box SOAP-Auth"

DESCRIPTION = (
    '<?xml version="1.0"?>\n<root xmlns="urn:dslforum-org:device-1-0"><device>'
    "<deviceType>urn:dslforum-org:device:InternetGatewayDevice:1</deviceType><serviceList>"
    + "".join(
        f"<service><serviceType>{service}</serviceType><serviceId>x</serviceId>"
        f"<controlURL>{url}</controlURL><eventSubURL>{url}</eventSubURL><SCPDURL>/x.xml</SCPDURL></service>"
        for service, url in CONTROL.items()
    )
    + "</serviceList></device></root>\n"
)


def soap_answer(service, action, arguments):
    inner = "".join(f"<{name}>{escape(value)}</{name}>" for name, value in arguments.items())
    return (
        f'<?xml version="1.0"?>\n<s:Envelope xmlns:s="{SOAP_ENVELOPE}" '
        f's:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"><s:Body>'
        f'<u:{action}Response xmlns:u="{service}">{inner}</u:{action}Response></s:Body></s:Envelope>\n'
    )


def soap_fault(code, description):
    return (
        f'<?xml version="1.0"?>\n<s:Envelope xmlns:s="{SOAP_ENVELOPE}" '
        f's:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"><s:Body><s:Fault>'
        f"<faultcode>s:Client</faultcode><faultstring>UPnPError</faultstring><detail>"
        f'<UPnPError xmlns="urn:dslforum-org:control-1-0"><errorCode>{code}</errorCode>'
        f"<errorDescription>{description}</errorDescription></UPnPError></detail></s:Fault></s:Body></s:Envelope>\n"
    )


def md5(text):
    return hashlib.md5(text.encode("utf-8")).hexdigest()


def digest_parameters(header):
    if not header.startswith("Digest "):
        return None
    return {name.lower(): quoted if quoted else plain
            for name, quoted, plain in re.findall(r'(\w+)=(?:"((?:[^"\\]|\\.)*)"|([^,\s]*))', header[7:])}


class FakeFritzBox:
    """phonebook: its bytes, or the path of a large one. fault: None, "606", "unexpected-soap", "cut", "stall", "html", "lines" (an .adr export as the
    phonebook), "no-description", "no-user-list". secure_port: what GetSecurityPort answers."""

    def __init__(self, phonebook, user="telefonbuch", password="", certificate=None, fault=None, port=0):
        self.phonebook = phonebook
        # A box older than FRITZ!OS 7.24 has no user list and takes a login without a user name.
        self.user = "" if fault == "no-user-list" else user
        self.password = password
        self.fault = fault
        self.session = secrets.token_hex(8)
        self.nonces = set()
        self.requests = []  # every request as it came, head and body
        self.secure_port = 0
        box = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def do_GET(self):
                box.note(self, b"")
                if self.path == "/tr64desc.xml" and box.fault != "no-description":
                    return self.answer(200, DESCRIPTION)
                if self.path == f"/phonebook.lua?sid={box.session}&pbid=0":
                    return box.send_phonebook(self)
                self.answer(404, "<html>404</html>", "text/html")

            def do_POST(self):
                body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
                box.note(self, body)
                status, text = box.soap(self, body)
                if status is not None:
                    self.answer(status, text)

            def answer(self, status, text, content_type='text/xml; charset="utf-8"', headers=()):
                data = text.encode("utf-8")
                self.send_response(status)
                self.send_header("Content-Type", content_type)
                self.send_header("Content-Length", str(len(data)))
                for name, value in headers:
                    self.send_header(name, value)
                self.end_headers()
                self.wfile.write(data)

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler)
        self.server.daemon_threads = True
        if certificate:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(*certificate)
            self.server.socket = context.wrap_socket(self.server.socket, server_side=True)
        self.port = self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()

    def note(self, handler, body):
        self.requests.append(f"{handler.requestline}\n{handler.headers}".encode("utf-8", "replace") + body)

    def soap(self, handler, body):
        service, _, action = handler.headers.get("SOAPACTION", "").strip('"').partition("#")
        if CONTROL.get(service) != handler.path:
            return 500, soap_fault(401, "Invalid Action")
        # Like the box, the login comes first (libcurl sends its first
        # POST of a Digest login without a body).
        if action == "GetPhonebook" and not self.authorized(handler):
            nonce = secrets.token_hex(8)
            self.nonces.add(nonce)
            handler.answer(401, "<html>401 Unauthorized</html>", "text/html", [(
                "WWW-Authenticate",
                f'Digest realm="{REALM}", nonce="{nonce}", algorithm=MD5, qop="auth", opaque="{secrets.token_hex(4)}"')])
            return None, None
        try:
            envelope = ElementTree.fromstring(body)
            call = envelope.find(f"{{{SOAP_ENVELOPE}}}Body/{{{service}}}{action}")
        except ElementTree.ParseError:
            call = None
        if call is None:
            return 500, soap_fault(402, "Invalid Args")
        if self.fault == "unexpected-soap":
            return 200, "<html><body>FRITZ!Box</body></html>"
        if action == "GetSecurityPort":
            return 200, soap_answer(service, action, {"NewSecurityPort": str(self.secure_port)})
        if action == "X_AVM-DE_GetUserList" and self.fault == "no-user-list":
            return 500, soap_fault(401, "Invalid Action")
        if action == "X_AVM-DE_GetUserList":
            users = (f'<List><Username last_user="0">admin</Username>'
                     f'<Username last_user="1">{escape(self.user)}</Username></List>')
            return 200, soap_answer(service, action, {"NewX_AVM-DE_UserList": users})
        if action != "GetPhonebook" or service != ON_TEL:
            return 500, soap_fault(401, "Invalid Action")
        if self.fault == "606":
            return 500, soap_fault(606, "Action Not Authorized")
        if call.findtext("NewPhonebookID") != "0":
            return 500, soap_fault(713, "SpecifiedArrayIndexInvalid")
        # The box names itself as it likes, over plain HTTP: only the path and
        # query may be taken from it.
        url = f"http://fritz.box:49000/phonebook.lua?sid={self.session}&pbid=0"
        return 200, soap_answer(service, action, {"NewPhonebookURL": url})

    def authorized(self, handler):
        given = digest_parameters(handler.headers.get("Authorization", ""))
        if given is None:
            return not self.password
        if given.get("nonce") not in self.nonces or given.get("qop") != "auth" or given.get("uri") != handler.path:
            return False
        ha1 = md5(f"{self.user}:{REALM}:{self.password}")
        ha2 = md5(f"POST:{handler.path}")
        expected = md5(f"{ha1}:{given['nonce']}:{given.get('nc')}:{given.get('cnonce')}:auth:{ha2}")
        return given.get("username") == self.user and given.get("response") == expected

    def send_phonebook(self, handler):
        if isinstance(self.phonebook, str):
            # A large phonebook from its file, in pieces: this process holds none of it.
            handler.send_response(200)
            handler.send_header("Content-Type", "text/xml")
            handler.send_header("Content-Length", str(os.path.getsize(self.phonebook)))
            handler.end_headers()
            with open(self.phonebook, "rb") as f:
                while piece := f.read(1 << 20):
                    handler.wfile.write(piece)
            return None
        data = self.phonebook
        if self.fault == "html":
            data = b"<html><body>Telefonbuch</body></html>"
        if self.fault == "lines":
            data = b"Name;Nummer\r\nAnna;0301234567\r\n"
        handler.send_response(200)
        handler.send_header("Content-Type", "text/xml")
        handler.send_header("Content-Length", str(len(data)))
        handler.end_headers()
        if self.fault == "cut":
            handler.wfile.write(data[: len(data) // 2])
            handler.wfile.flush()
            handler.connection.shutdown(socket.SHUT_RDWR)
            handler.close_connection = True
            return None
        if self.fault == "stall":
            handler.wfile.write(data[:100])
            handler.wfile.flush()
            time.sleep(60)
            return None
        handler.wfile.write(data)
        return None
