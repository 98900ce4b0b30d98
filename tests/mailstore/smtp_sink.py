"""A mail server on loopback for the delivery tests.

Usage: smtp_sink.py PORT FOLDER LIFETIME_SECONDS

Listens on 127.0.0.1:PORT and keeps each mail it accepts in FOLDER/<n>/:
  mail_from      the envelope sender
  rcpt_tos       the envelope recipients, one a line
  raw.eml        the message as received
  headers        the names of the message's headers, one a line
  subject, from, to, cc
                 those headers, decoded
  body           the decoded text of the first text part
  body_type      its content type
  attachment-<i>.name, attachment-<i>.type, attachment-<i>.data
                 each attachment's decoded file name, content type and bytes
A recipient whose address starts with "afvis" is refused with 550. The
server stops by itself after LIFETIME_SECONDS.
"""

import email
import email.policy
import pathlib
import sys
import threading

from aiosmtpd.controller import Controller


def write_text(path, text):
    path.write_text(text, encoding="utf-8")


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
        write_text(target / "mail_from", envelope.mail_from)
        write_text(target / "rcpt_tos", "\n".join(envelope.rcpt_tos))
        (target / "raw.eml").write_bytes(envelope.original_content)
        message = email.message_from_bytes(envelope.original_content, policy=email.policy.default)
        write_text(target / "headers", "\n".join(message.keys()))
        for name in ("subject", "from", "to", "cc"):
            write_text(target / name, str(message.get(name, "")))
        body = message.get_body(preferencelist=("plain", "html"))
        if body is not None:
            write_text(target / "body", body.get_content())
            write_text(target / "body_type", body.get_content_type())
        for index, part in enumerate(message.iter_attachments(), start=1):
            write_text(target / f"attachment-{index}.name", part.get_filename() or "")
            write_text(target / f"attachment-{index}.type", part.get_content_type())
            (target / f"attachment-{index}.data").write_bytes(part.get_payload(decode=True))
        return "250 Modtaget"


def main():
    port, folder, lifetime = int(sys.argv[1]), sys.argv[2], float(sys.argv[3])
    controller = Controller(Sink(folder), hostname="127.0.0.1", port=port)
    controller.start()
    threading.Event().wait(lifetime)
    controller.stop()


if __name__ == "__main__":
    main()
