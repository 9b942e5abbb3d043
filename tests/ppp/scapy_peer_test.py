#!/usr/bin/python3
"""The station's PPP against independent peers.

scapy decodes every frame the station writes and must agree with the station
on protocol, code, identifier, length, options and CHAP fields; the station
decodes frames that scapy builds and answers them as a peer would expect;
the station's MD5 agrees with hashlib's.

Usage: scapy_peer_test.py PATH/TO/quorvan_ppp_wire_tool
"""
import hashlib
import json
import random
import subprocess
import sys

from scapy.layers.ppp import (HDLC, PPP, PPP_CHAP, PPP_CHAP_ChallengeResponse, PPP_LCP, PPP_LCP_ACCM_Option,
                              PPP_LCP_Auth_Protocol_Option, PPP_LCP_Code_Reject, PPP_LCP_Configure,
                              PPP_LCP_Discard_Request, PPP_LCP_Echo, PPP_LCP_MRU_Option,
                              PPP_LCP_Magic_Number_Option, PPP_LCP_Option, PPP_LCP_Protocol_Reject,
                              PPP_LCP_Terminate)
from scapy.packet import Padding, Raw

TOOL = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def fcs16(data):
    """The FCS-16 of RFC 1662, bit by bit."""
    fcs = 0xFFFF
    for octet in data:
        fcs ^= octet
        for _ in range(8):
            fcs = (fcs >> 1) ^ 0x8408 if fcs & 1 else fcs >> 1
    return fcs ^ 0xFFFF


def unframe(frame, what):
    """The body between the flags, unescaped, after checking the framing."""
    check(frame[0] == 0x7E and frame[-1] == 0x7E, f"{what}: flags")
    inner = frame[1:-1]
    body = bytearray()
    escape = False
    for octet in inner:
        check(octet >= 0x20 and octet != 0x7E, f"{what}: octet {octet:#04x} sent unescaped")
        if escape:
            body.append(octet ^ 0x20)
            escape = False
        elif octet == 0x7D:
            escape = True
        else:
            body.append(octet)
    check(not escape, f"{what}: dangling escape")
    check(len(body) >= 4 and fcs16(body[:-2]) == int.from_bytes(body[-2:], "little"), f"{what}: FCS")
    return bytes(body[:-2])


def frame_of(content):
    body = content + fcs16(content).to_bytes(2, "little")
    out = bytearray([0x7E])
    for octet in body:
        if octet < 0x20 or octet in (0x7D, 0x7E):
            out += bytes([0x7D, octet ^ 0x20])
        else:
            out.append(octet)
    out.append(0x7E)
    return bytes(out)


def no_leftovers(packet, what):
    check(not packet.haslayer(Raw) and not packet.haslayer(Padding), f"{what}: scapy left undecoded octets")


def agree(view, what):
    """scapy's decode of a frame the station wrote against the station's own fields."""
    what = f"{what} ({view['label']!r})"
    check("error" not in view, f"{what}: the station cannot decode its own frame: {view.get('error')}")
    packet = HDLC(unframe(bytes.fromhex(view["frame"]), what))
    check(packet.address == 0xFF and packet.control == 0x03, f"{what}: address and control")
    check(packet.haslayer(PPP) and packet[PPP].proto == view["protocol"], f"{what}: protocol")
    payload = packet[PPP].payload
    data = bytes.fromhex(view["data"])
    if view["protocol"] == 0x00C1:
        check(bytes(payload) == data, f"{what}: NTCIP information")
        return
    check((payload.code, payload.id, payload.len) == (view["code"], view["id"], view["length"]),
          f"{what}: code, identifier, length: scapy {payload.code}, {payload.id}, {payload.len}")
    check(bytes(payload) == bytes([view["code"], view["id"]]) + view["length"].to_bytes(2, "big") + data,
          f"{what}: packet octets")
    if view["protocol"] == 0xC021:
        check(isinstance(payload, PPP_LCP), f"{what}: not LCP")
        no_leftovers(payload, what)
        if view["code"] in (1, 2, 3, 4):
            check(isinstance(payload, PPP_LCP_Configure), f"{what}: not a Configure packet")
            check(b"".join(bytes(option) for option in payload.options) == data, f"{what}: options")
            for option in payload.options:
                check(option.len == len(bytes(option)), f"{what}: option {option.type} length")
        elif view["code"] in (9, 10):
            check(isinstance(payload, PPP_LCP_Echo), f"{what}: not an Echo packet")
            check(payload.magic_number.to_bytes(4, "big") + bytes(payload.data) == data, f"{what}: echo data")
        elif view["code"] == 11:
            check(isinstance(payload, PPP_LCP_Discard_Request), f"{what}: not a Discard-Request")
        elif view["code"] in (5, 6):
            check(isinstance(payload, PPP_LCP_Terminate), f"{what}: not a Terminate packet")
        elif view["code"] == 7:
            check(isinstance(payload, PPP_LCP_Code_Reject), f"{what}: not a Code-Reject")
        elif view["code"] == 8:
            check(isinstance(payload, PPP_LCP_Protocol_Reject), f"{what}: not a Protocol-Reject")
    else:
        check(isinstance(payload, PPP_CHAP), f"{what}: not CHAP")
        no_leftovers(payload, what)
        if view["code"] in (1, 2):
            check(isinstance(payload, PPP_CHAP_ChallengeResponse), f"{what}: not a Challenge or Response")
            check(payload.value_size == len(payload.value) and bytes(payload.value) == bytes.fromhex(view["value"]),
                  f"{what}: value")
            check(bytes(payload.optional_name) == bytes.fromhex(view["name"]), f"{what}: name")


def run_tool(mode, text=""):
    result = subprocess.run([TOOL, mode], input=text, capture_output=True, text=True, check=True)
    return result.stdout.splitlines()


def station_frames():
    views = [json.loads(line) for line in run_tool("frames")]
    for number, view in enumerate(views):
        agree(view, f"frame {number}")
    labels = {view["label"] for view in views}
    expected = {"LCP Configure Request", "LCP Configure Ack", "LCP Configure Nak", "LCP Configure Reject",
                "LCP Terminate Request", "LCP Terminate Ack", "LCP Code Reject", "LCP Protocol Reject",
                "LCP Echo Request", "LCP Echo Reply ", "LCP Discard Request", "CHAP Challenge", "CHAP Response",
                "CHAP Success", "CHAP Failure", "NTCIP"}
    check(expected <= labels, f"frames never written: {sorted(expected - labels)}")
    names = {bytes.fromhex(view["name"]) for view in views if view.get("protocol") == 0xC223 and view["code"] in (1, 2)}
    check(names == {b"Central", b"CENTRAL"}, f"CHAP names {names}")


def lcp(packet):
    return bytes(HDLC() / PPP(proto=0xC021) / packet)


def chap(packet):
    return bytes(HDLC() / PPP(proto=0xC223) / packet)


def scapy_frames():
    challenge_value = bytes(range(40, 104))
    cases = [
        # (state, content scapy built, LCP or CHAP codes answered, state after)
        ("req_sent", lcp(PPP_LCP_Configure(code=1, id=7, options=[
            PPP_LCP_MRU_Option(max_recv_unit=1500), PPP_LCP_ACCM_Option(accm=0),
            PPP_LCP_Auth_Protocol_Option(auth_protocol=0xC223, algorithm=5),
            PPP_LCP_Magic_Number_Option(magic_number=0x1234ABCD)])), [2], 8),
        ("req_sent", lcp(PPP_LCP_Configure(code=1, id=8, options=[PPP_LCP_MRU_Option(max_recv_unit=1492)])), [3], 6),
        ("req_sent", lcp(PPP_LCP_Configure(code=1, id=9, options=[PPP_LCP_ACCM_Option(accm=0xFFFFFFFF)])), [3], 6),
        ("req_sent", lcp(PPP_LCP_Configure(code=1, id=10, options=[
            PPP_LCP_Option(type=7, len=2), PPP_LCP_Option(type=8, len=2)])), [4], 6),
        ("req_sent", lcp(PPP_LCP_Configure(code=2, id=0, options=[
            PPP_LCP_MRU_Option(max_recv_unit=1500),
            PPP_LCP_Auth_Protocol_Option(auth_protocol=0xC223, algorithm=5)])), [], 7),
        ("req_sent", lcp(PPP_LCP_Configure(code=4, id=0, options=[
            PPP_LCP_Auth_Protocol_Option(auth_protocol=0xC223, algorithm=5)])), [1], 6),
        ("req_sent", lcp(PPP_LCP_Code_Reject(id=11, rejected_packet=PPP_LCP(code=12, id=1))), [], 3),
        ("opened", lcp(PPP_LCP_Echo(code=9, id=12, magic_number=0x01020304, data=b"ping")), [10], 9),
        ("opened", lcp(PPP_LCP_Discard_Request(id=13, magic_number=0x01020304)), [], 9),
        ("opened", lcp(PPP_LCP_Echo(code=10, id=18, magic_number=0x01020304, data=b"pong")), [], 9),
        ("opened", lcp(PPP_LCP_Terminate(code=5, id=14)), [6], 5),
        ("opened", lcp(PPP_LCP_Protocol_Reject(id=15, rejected_protocol=0x8021)), [5], 5),
        ("opened", chap(PPP_CHAP_ChallengeResponse(code=1, id=16, value=challenge_value,
                                                   optional_name=b"scapy")), [2], 9),
        ("opened", chap(PPP_CHAP(code=3, id=17)), [], 9),
    ]
    lines = "".join(f"{state} {frame_of(content).hex()}\n" for state, content, _, _ in cases)
    results = [json.loads(line) for line in run_tool("decode", lines)]
    check(len(results) == len(cases), "the station answered every frame")
    for (state, content, answers, state_after), result in zip(cases, results):
        built = HDLC(content)
        what = f"{built[PPP].payload.summary()} in {state}"
        payload = bytes(built[PPP].payload)
        check("error" not in result, f"{what}: the station refused it: {result.get('error')}")
        check(result.get("protocol") == built[PPP].proto, f"{what}: protocol")
        check((result.get("code"), result.get("id"), result.get("length")) ==
              (payload[0], payload[1], int.from_bytes(payload[2:4], "big")), f"{what}: code, identifier, length")
        check(bytes.fromhex(result.get("data", "")) == payload[4:], f"{what}: data")
        check([answer.get("code") for answer in result["answers"]] == answers,
              f"{what}: answered with {[a.get('code') for a in result['answers']]}")
        check(result["state"] == state_after, f"{what}: state {result['state']}")
        for answer in result["answers"]:
            agree(answer, f"answer to {what}")
            replies = (2, 3, 4, 6, 10) if built[PPP].proto == 0xC021 else (2,)
            if answer.get("code") in replies:
                check(answer["id"] == payload[1], f"{what}: the answer carries the identifier")
        if built[PPP].proto == 0xC021 and answers == [2]:
            check(bytes.fromhex(result["answers"][0]["data"]) == payload[4:], f"{what}: the Ack repeats the options")
        if built[PPP].proto == 0xC223 and answers == [2]:
            expected = hashlib.md5(bytes([16]) + b"orchid" + challenge_value).digest()
            check(bytes.fromhex(result["answers"][0]["value"]) == expected, f"{what}: the response's MD5")


def md5_against_hashlib():
    generator = random.Random(1321)
    inputs = [bytes(generator.randrange(256) for _ in range(length)) for length in range(0, 200)]
    inputs += [bytes(generator.randrange(256) for _ in range(4099)), b"a" * 1000]
    digests = run_tool("md5", "".join(data.hex() + "\n" for data in inputs))
    check(len(digests) == len(inputs), "an MD5 for every input")
    for data, digest in zip(inputs, digests):
        check(digest == hashlib.md5(data).hexdigest(), f"MD5 of {len(data)} octets")


station_frames()
scapy_frames()
md5_against_hashlib()
for failure in failures:
    print("FAIL:", failure)
print(f"{'FAILED' if failures else 'passed'}")
sys.exit(1 if failures else 0)
