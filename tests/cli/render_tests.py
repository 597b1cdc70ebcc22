#!/usr/bin/env python3
"""The render command as a user meets it: the demo, real files in and out,
and every error path (one line, a non-zero exit, no output file left).

Usage: render_tests.py PATH_TO_BRINDLECREST
"""

import math
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import wave

TOOL = None


def run(*args):
    return subprocess.run([TOOL, *args], capture_output=True, text=True, timeout=300)


def write_wav(path, rate, channels, bits, frames):
    """frames: list of tuples of floats in [-1, 1], one per channel."""
    width = bits // 8
    with wave.open(path, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        full = 2 ** (bits - 1) - 1
        data = bytearray()
        for frame in frames:
            for v in frame:
                data += int(round(v * full)).to_bytes(width, "little", signed=True)
        w.writeframes(bytes(data))


def write_aiff(path, rate, channels, frames):
    """16-bit big-endian AIFF, written by hand."""
    data = bytearray()
    for frame in frames:
        for v in frame:
            data += struct.pack(">h", int(round(v * 32767)))
    # 80-bit extended float for the sample rate.
    exponent = int(math.floor(math.log2(rate)))
    mantissa = int(rate * 2 ** (63 - exponent))
    rate80 = struct.pack(">HQ", 16383 + exponent, mantissa)
    comm = struct.pack(">hIh", channels, len(frames), 16) + rate80
    ssnd = struct.pack(">II", 0, 0) + bytes(data)
    body = b"AIFF" + b"COMM" + struct.pack(">I", len(comm)) + comm + b"SSND" + struct.pack(">I", len(ssnd)) + ssnd
    with open(path, "wb") as f:
        f.write(b"FORM" + struct.pack(">I", len(body)) + body)


def wav_info(path):
    """(format tag, channels, rate, bits, frames) from a RIFF WAV file."""
    with open(path, "rb") as f:
        blob = f.read()
    assert blob[:4] == b"RIFF" and blob[8:12] == b"WAVE", "not a WAV file"
    pos, fmt, frames = 12, None, None
    while pos + 8 <= len(blob):
        tag, size = blob[pos:pos + 4], struct.unpack("<I", blob[pos + 4:pos + 8])[0]
        if tag == b"fmt ":
            fmt = struct.unpack("<HHIIHH", blob[pos + 8:pos + 24])
        elif tag == b"data":
            frames = size // (fmt[1] * fmt[5] // 8)
        pos += 8 + size + (size & 1)
    tag, channels, rate, _, _, bits = fmt
    if tag == 0xFFFE:  # extensible: the sub-format's first two bytes
        tag = struct.unpack("<H", blob[blob.index(b"fmt ") + 32:blob.index(b"fmt ") + 34])[0]
    return tag, channels, rate, bits, frames


def sine(rate, seconds, freq=220.0, level=0.3, channels=1):
    n = int(rate * seconds)
    return [tuple(level * math.sin(2 * math.pi * freq * i / rate) for _ in range(channels)) for i in range(n)]


class Render(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.d = self.dir.name

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.d, name)

    def test_demo_renders_the_same_every_time(self):
        a, b = self.path("a.wav"), self.path("b.wav")
        r = run("render", "-o", a)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("realtime", r.stdout)
        self.assertIn("dBFS", r.stdout)
        tag, channels, rate, bits, frames = wav_info(a)
        self.assertEqual((tag, channels, rate, bits), (1, 1, 48000, 24))
        self.assertTrue(12 * rate <= frames - 2 * rate <= 20 * rate, frames)
        self.assertEqual(run("render", "-q", "-o", b).returncode, 0)
        with open(a, "rb") as fa, open(b, "rb") as fb:
            self.assertEqual(fa.read(), fb.read())

    def test_files_in_and_out(self):
        cases = [
            # name, writer, rate, channels, expected output rate
            ("mono16.wav", lambda p: write_wav(p, 48000, 1, 16, sine(48000, 0.5)), 48000),
            ("stereo24.wav", lambda p: write_wav(p, 96000, 2, 24, sine(96000, 0.5, channels=2)), 96000),
            ("mono.aiff", lambda p: write_aiff(p, 44100, 1, sine(44100, 0.5)), 44100),
            ("odd_rate.wav", lambda p: write_wav(p, 22050, 1, 16, sine(22050, 0.5)), 48000),
        ]
        for name, writer, out_rate in cases:
            with self.subTest(name):
                src, out = self.path(name), self.path(name + ".out.wav")
                writer(src)
                r = run("render", src, "-o", out, "--tail", "0.25", "-q")
                self.assertEqual(r.returncode, 0, r.stderr)
                tag, channels, rate, bits, frames = wav_info(out)
                self.assertEqual((channels, rate), (1, out_rate))
                self.assertAlmostEqual(frames / rate, 0.75, delta=0.01)

    def test_float_output_and_mix_down(self):
        src, out = self.path("in.wav"), self.path("out.wav")
        write_wav(src, 48000, 2, 16, [(0.0, 0.4 * math.sin(i / 10.0)) for i in range(24000)])
        self.assertEqual(run("render", src, "-o", out, "--float", "--mix", "-q").returncode, 0)
        tag, channels, rate, bits, frames = wav_info(out)
        self.assertEqual((tag, bits), (3, 32))

    def test_state_file_and_settings_agree(self):
        # A state holding only the cabinet renders like setting it directly.
        xml, by_state, by_set = self.path("s.xml"), self.path("a.wav"), self.path("b.wav")
        with open(xml, "w") as f:
            f.write('<BRINDLECRESTSETTINGS cab="%r" reverb="0.5"/>' % (2 / 12))
        r = run("render", "-o", by_state, "--state", xml, "-q", "--tail", "0")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(run("render", "-o", by_set, "--set", "cab=3", "--set", "reverb=0.5", "-q", "--tail", "0").returncode, 0)
        with open(by_state, "rb") as fa, open(by_set, "rb") as fb:
            self.assertEqual(fa.read(), fb.read())

    def test_errors_are_one_line_and_leave_nothing(self):
        junk = self.path("junk.wav")
        with open(junk, "w") as f:
            f.write("this is not audio")
        bad_state = self.path("bad.xml")
        with open(bad_state, "w") as f:
            f.write("<OTHER a='1'/>")
        out = self.path("out.wav")
        cases = [
            (["render", self.path("missing.wav"), "-o", out], "does not exist"),
            (["render", junk, "-o", out], "not a WAV or AIFF"),
            (["render"], "no output file"),
            (["render", "-o", out, "--set", "nosuch=1"], "unknown parameter 'nosuch'"),
            (["render", "-o", out, "--set", "cab=14"], "out of range"),
            (["render", "-o", out, "--set", "cab=2.5"], "whole number"),
            (["render", "-o", out, "--set", "chanelDrive=maybe"], "on or off"),
            (["render", "-o", out, "--set", "volume"], "ID=VALUE"),
            (["render", "-o", out, "--rate", "32000"], "not a rate"),
            (["render", "-o", out, "--block", "0"], "--block"),
            (["render", "-o", out, "--tail", "-1"], "--tail"),
            (["render", "-o", out, "--state", bad_state], "no Brindlecrest settings"),
            (["render", "-o", out, "--frobnicate"], "unknown option"),
            (["render", "-o", self.path("no/such/folder/out.wav")], "does not exist"),
            (["nosuchcommand"], "unknown command"),
        ]
        for args, message in cases:
            with self.subTest(" ".join(args[1:])):
                r = run(*args)
                self.assertNotEqual(r.returncode, 0)
                lines = r.stderr.strip().splitlines()
                self.assertEqual(len(lines), 1, r.stderr)
                self.assertTrue(lines[0].startswith("brindlecrest: "), lines[0])
                self.assertIn(message, lines[0])
                self.assertFalse(os.path.exists(out))
                leftovers = [n for n in os.listdir(self.d) if "partial" in n]
                self.assertEqual(leftovers, [])

    def test_help(self):
        for args in (["--help"], ["render", "--help"], ["params"]):
            with self.subTest(args[0]):
                r = run(*args)
                self.assertEqual(r.returncode, 0)
                self.assertTrue(r.stdout.strip())


if __name__ == "__main__":
    TOOL = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
