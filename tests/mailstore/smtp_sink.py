"""smtp_sink.py PORT FOLDER LIFETIME_SECONDS: a mail server on 127.0.0.1:PORT.

Touches FOLDER/ready once it listens and keeps the n-th mail it accepts in
FOLDER/<n>/: mail.txt tells the envelope, the header names, the decoded From,
To, Cc, Subject, the first text part (line ends shown as \\r and \\n) and each
attachment's name and type; attachment-<i> holds the decoded bytes, message-id
the Message-ID header. It refuses recipients starting with "afvis" with 550
and stops after LIFETIME_SECONDS.
"""

import email.policy
import pathlib
import sys
import threading

from aiosmtpd.controller import Controller


class Sink:
    def __init__(self, folder):
        self.folder = pathlib.Path(folder)
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, options):
        if address.startswith("afvis"):
            return "550 Modtageren findes ikke"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        target = self.folder / str(self.count)
        target.mkdir()
        message = email.message_from_bytes(envelope.original_content, policy=email.policy.default)
        lines = [f"envelope: {envelope.mail_from} -> {', '.join(envelope.rcpt_tos)}",
                 f"headers: {', '.join(message.keys())}",
                 *(f"{name}: {message.get(name, '')}" for name in ("from", "to", "cc", "subject"))]
        body = message.get_body(preferencelist=("plain", "html"))
        text = body.get_content().replace("\r", "\\r").replace("\n", "\\n")
        lines.append(f"{body.get_content_type()}: {text}")
        for index, part in enumerate(message.iter_attachments(), start=1):
            lines.append(f"attachment: {part.get_filename()}, {part.get_content_type()}")
            (target / f"attachment-{index}").write_bytes(part.get_payload(decode=True))
        (target / "message-id").write_text(message.get("message-id", ""))
        (target / "mail.txt").write_text("\n".join(lines) + "\n", encoding="utf-8")
        return "250 Modtaget"


def main():
    controller = Controller(Sink(sys.argv[2]), hostname="127.0.0.1", port=int(sys.argv[1]))
    controller.start()
    (pathlib.Path(sys.argv[2]) / "ready").touch()
    threading.Event().wait(float(sys.argv[3]))
    controller.stop()


if __name__ == "__main__":
    main()
