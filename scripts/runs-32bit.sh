#!/bin/sh
# Exits 0 when this Linux kernel can run 32-bit programs, and so 32-bit
# Wine. Some kernels have their 32-bit emulation switched off; there any
# i386 program fails with "Exec format error". The probe is a 91-byte i386
# program that only calls exit(0), so it needs nothing installed.
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
echo 'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhbAAAAWwAAAAUAAAAAEAAAMdsxwEDNgA==' |
    base64 -d >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
