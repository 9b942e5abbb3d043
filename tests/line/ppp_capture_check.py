#!/usr/bin/python3
"""scapy reads every frame two stations wrote to each other over a PPP line.

Each line of the capture file is one frame (hex, flags included). Every frame
must have RFC 1662 framing with a good FCS, every octet below 0x20 escaped,
address 0xFF and control 0x03; LCP and CHAP packets must decode in scapy's
layers with nothing left over and a length field equal to the packet's;
NTCIP frames (0x00C1) must carry an SNMP message scapy decodes whole.
Prints one line per protocol with its count; exits 1 on any disagreement.

Usage: ppp_capture_check.py CAPTURE
"""
import sys

from scapy.layers.ppp import HDLC, PPP, PPP_CHAP, PPP_LCP
from scapy.layers.snmp import SNMP
from scapy.packet import Padding, Raw


def fcs16(data):
    fcs = 0xFFFF
    for octet in data:
        fcs ^= octet
        for _ in range(8):
            fcs = (fcs >> 1) ^ 0x8408 if fcs & 1 else fcs >> 1
    return fcs ^ 0xFFFF


def body_of(frame):
    """The unescaped body between the flags, or a reason it is not one."""
    if len(frame) < 2 or frame[0] != 0x7E or frame[-1] != 0x7E:
        return None, "flags"
    body = bytearray()
    escape = False
    for octet in frame[1:-1]:
        if octet < 0x20 or octet == 0x7E:
            return None, f"octet {octet:#04x} unescaped"
        if escape:
            body.append(octet ^ 0x20)
            escape = False
        elif octet == 0x7D:
            escape = True
        else:
            body.append(octet)
    if escape or len(body) < 6 or fcs16(body[:-2]) != int.from_bytes(body[-2:], "little"):
        return None, "FCS"
    return bytes(body[:-2]), None


def whole(packet):
    return not packet.haslayer(Raw) and not packet.haslayer(Padding)


failures = []
counts = {}
with open(sys.argv[1]) as capture:
    for number, line in enumerate(capture, 1):
        if not line.strip():
            continue
        body, reason = body_of(bytes.fromhex(line))
        if reason:
            failures.append(f"frame {number}: {reason}")
            continue
        packet = HDLC(body)
        if (packet.address, packet.control) != (0xFF, 0x03) or not packet.haslayer(PPP):
            failures.append(f"frame {number}: address, control or protocol")
            continue
        protocol = packet[PPP].proto
        payload = packet[PPP].payload
        information = body[4:]
        if protocol == 0xC021:
            ok = isinstance(payload, PPP_LCP) and whole(payload) and payload.len == len(information)
        elif protocol == 0xC223:
            ok = isinstance(payload, PPP_CHAP) and whole(payload) and payload.len == len(information)
        elif protocol == 0x00C1:
            ok = whole(SNMP(information))
        else:
            ok = False
        if not ok:
            failures.append(f"frame {number}: protocol {protocol:#06x} not decoded whole: {line.strip()}")
        counts[protocol] = counts.get(protocol, 0) + 1

for protocol in sorted(counts):
    print(f"{protocol:#06x} {counts[protocol]}")
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
