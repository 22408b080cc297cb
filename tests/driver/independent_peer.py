#!/usr/bin/env python3
"""A CIU peer written apart from the driver and the simulator, straight from the line
protocol: its own framing, checksum and 3-byte reals.  It opens a pseudo-terminal,
prints the device path and answers until its standard input closes.

Plant: every analog point at index i reads 10 * i + 0.25, digital points read 1,
status points read their value byte 1, the CIU's module status is 3.
"""
import os
import select
import sys
import tty

CR, ESC = 0x0D, 0x1B


def real3(value):
    if value == 0:
        return bytes(3)
    sign = 1 if value < 0 else 0
    m, n = abs(value), 0
    while m >= 1 and n < 64:
        m, n = m / 2, n + 1
    while m < 0.5 and n > -64:
        m, n = m * 2, n - 1
    mantissa = int(m * 65536)
    return bytes([((n & 0x7F) << 1) | sign, mantissa >> 8, mantissa & 0xFF])


def frame(payload):
    out = bytearray()
    for b in bytes(payload) + bytes([sum(payload) & 0xFF]):
        out += {CR: b"\x1b\x0e", ESC: b"\x1b\x1b"}.get(b, bytes([b]))
    return bytes(out) + b"\r"


def unframe(raw):
    out, i = bytearray(), 0
    while i < len(raw):
        b = raw[i]
        if b == ESC and i + 1 < len(raw):
            i += 1
            b = {0x0E: CR, ESC: ESC}.get(raw[i])
            if b is None:
                return None
        out.append(b)
        i += 1
    if len(out) < 1 or sum(out[:-1]) & 0xFF != out[-1]:
        return None
    return bytes(out[:-1])


class Ciu:
    def __init__(self):
        self.types = {}
        self.reported = False

    def value(self, index):
        return 10 * index + 0.25

    def answer(self, p):
        code = p[0]
        if code == 69:
            return [0, 2, 4, 0, 0, 0, 0, 5, 1]
        if code in (19, 44, 1, 4):
            return [0]
        if code == 49:
            self.types[(p[2] << 8) | p[3]] = p[4]
            return [0]
        first, last = ((p[2] << 8) | p[3], (p[4] << 8) | p[5]) if len(p) >= 6 else (0, -1)
        if code == 6:
            out = [0]
            for i in range(first, last + 1):
                digital = self.types.get(i) == 7
                out += [0x01 if digital else 0] + list(real3(0 if digital else self.value(i)))
            return out
        if code == 21:
            out = [0]
            for i in range(first, last + 1):
                out += [0x60 if i == 0 else 0x00, 1, 0, 0, 0]
            return out
        if code == 8:
            analog = [] if self.reported else [i for i, t in self.types.items() if t in (1, 2, 3, 5, 19)]
            self.reported = True
            out = [0, len(analog)]
            for i in analog:
                out += [i >> 8, i & 0xFF, 0] + list(real3(self.value(i)))
            return out
        if code == 22:
            return [0, 1, 0, 0, 0x60, 0, 0, 0, 0]
        return [1]


def main():
    master, slave = os.openpty()
    tty.setraw(slave)
    print(os.ttyname(slave), flush=True)
    ciu, pending = Ciu(), bytearray()
    while True:
        ready, _, _ = select.select([master, sys.stdin], [], [])
        if sys.stdin in ready and not os.read(sys.stdin.fileno(), 1):
            return
        if master not in ready:
            continue
        pending += os.read(master, 4096)
        while CR in pending:
            end = pending.index(CR)
            payload = unframe(bytes(pending[:end]))
            del pending[:end + 1]
            if payload:
                os.write(master, frame(ciu.answer(payload)))


if __name__ == "__main__":
    main()
