#!/usr/bin/env python3
# Writes the p*.bas programs and their expected packets (p*.pkt) from the object-code encoding
# rules alone: constants, variable items, instruction codes, address fields and the packet
# layout are spelled out here without the compiler. Run it from this folder.
# Expected packets of the short corpus programs, derived from the encoding rules alone.
def b(v, w): return format(v, '0%db' % w)
def const(v):
    c = 0
    for k in range(15, 0, -1):
        if v >> k & 1: c = k; break
    if v == 0: return b(32, 6) + '1'
    if v & (v - 1) == 0: return b(32 + c, 6) + '0'
    return b(32 + c, 6) + b(v & ((1 << (c + 1)) - 1), c + 1)
def pc(v): return '1' + const(v)
def var(size, addr, write=False, idx=False):
    return b(48 + size + (4 if idx else 0) + (8 if write else 0), 6) + b(addr, [8, 6, 5, 4][size])
def op(c): return '1' + b(c, 6)
def tok(c): return b(c, 7)
def addr(p): return b(p % 8, 3) + b(p // 8, 11)
def chars(s): return ''.join(const(ord(c)) + '01' for c in s)

def packets(bits, data={}):
    image = [0] * 2048; flags = [0] * 2048
    for a, v in data.items(): image[a] = v; flags[a] = 2
    for p, bit in enumerate(bits):
        a = 2047 - p // 8
        flags[a] = 3
        if bit == '1': image[a] |= 1 << (7 - p % 8)
    out = []
    for blk in range(128):
        if any(flags[blk * 16 + i] & 2 for i in range(16)):
            pk = [0x80 + blk] + image[blk * 16: blk * 16 + 16]
            pk.append((256 - sum(pk) % 256) % 256)
            out.append(' '.join('%02X' % x for x in pk))
    return '\n'.join(out) + '\n'

B1, B2, B3 = 7, 8, 9
progs = {}
hdr = lambda m, v: "'{$VARDA %s}\n'{$TESSIC %s}\n" % (m, v)
END = tok(0)
def program(start, body): return addr(start) + body

# 1
progs['p01_high'] = (hdr('VD2', '2.0') + "HIGH 5\n", program(14, pc(5) + tok(5) + END), {})
# 2 LET on VD2P
progs['p02_let_vd2p'] = (hdr('VD2P', '2.5') + "B1 = 5\n", program(14, pc(5) + '1' + var(2, B1, True) + tok(31) + END), {})
# 3 three GOSUBs
g = ''.join(tok(10) + b(n, 8) + addr(143) for n in (1, 2, 3))
progs['p03_gosub'] = (hdr('VD2', '2.5') + "GOSUB a\nGOSUB a\nGOSUB a\na:\nRETURN\n",
                      addr(56) + addr(85) + addr(114) + addr(143) + g + tok(11) + END, {})
# 4 data
progs['p04_data'] = (hdr('VD2', '2.5') + "DATA \"AB\", WORD 513, (2), 7\nEND\n", program(14, END),
                     {0: 65, 1: 66, 2: 1, 3: 2, 6: 7})
# 5 single-line IF ELSE
cond = '1' + var(2, B1) + tok(13)
def setb(cell, v): return pc(v) + '1' + var(2, cell, True) + tok(26)
s = 14
then_part = s + len(cond) + 14 + 7 + 14
tc = setb(B2, 1)
else_part = then_part + len(tc) + 7 + 14
ec = setb(B2, 0)
end = else_part + len(ec)
progs['p05_if_else'] = (hdr('VD2', '2.5') + "IF B1 THEN B2 = 1 ELSE B2 = 0\nHIGH 1\n",
                        program(14, cond + addr(then_part) + tok(9) + addr(else_part) + tc + tok(9) + addr(end) + ec + pc(1) + tok(5) + END), {})
# 6 DO WHILE LOOP
body = s + len(cond) + 14 + 7 + 14
st = setb(B1, 1)
end = body + len(st) + 7 + 14
progs['p06_do_while'] = (hdr('VD2E', '2.5') + "DO WHILE B1\nB1 = 1\nLOOP\n",
                         program(14, cond + addr(body) + tok(9) + addr(end) + st.replace(tok(26), tok(29)) + tok(9) + addr(s) + END), {})
# 7 FOR NEXT STEP
start = setb(B1, 1)
loop = s + len(start)
bd = pc(1) + tok(5)
nx = pc(10) + pc(1) + tok(14) + var(2, B1) + pc(2) + '0' + var(2, B1, True) + '0' + addr(loop)
progs['p07_for_next'] = (hdr('VD2', '2.5') + "FOR B1 = 1 TO 10 STEP 2\nHIGH 1\nNEXT\n", program(14, start + bd + nx + END), {})
# 8 SELECT with a range and CASE ELSE
sel = var(2, B1)
test = sel + pc(1) + op(28) + '1' + sel + pc(3) + op(26) + '1' + sel + pc(5) + op(27) + op(10) + op(11)
t1 = '1' + test + tok(13)
body1 = s + len(t1) + 14 + 7 + 14
s1 = setb(B2, 1); s2 = setb(B2, 2)
else_body = body1 + len(s1) + 7 + 14
end = else_body + len(s2)
progs['p08_select'] = (hdr('VD2', '2.5') + "SELECT B1\nCASE 1, 3 TO 5\nB2 = 1\nCASE ELSE\nB2 = 2\nENDSELECT\n",
                       program(14, t1 + addr(body1) + tok(9) + addr(else_body) + s1 + tok(9) + addr(end) + s2 + END), {})
# 9 DEBUG ? B1 on VD2SX
progs['p09_debug_name'] = (hdr('VD2SX', '2.5') + "DEBUG ? B1\n",
                           program(14, pc(240) + pc(16) + tok(32) + chars("B1 = ") + const(438) + '1' + var(2, B1) + '0' + pc(13) + '0' + '0' + END), {})
# 10 READ of a WORD
r = pc(0) + tok(19)
r += addr(s + len(r) + 14) + var(3, 4, True) + '0'
r += '1' + const(0) + pc(1) + op(15) + tok(19)
r += addr(s + len(r) + 14) + var(2, 9, True) + '0'
progs['p10_read_word'] = (hdr('VD2', '2.5') + "READ 0, WORD W1\n", program(14, r + END), {})
# 11 DEBUGIN WAIT and DEC on VD2PE
progs['p11_debugin'] = (hdr('VD2PE', '2.5') + "DEBUGIN WAIT (\"OK\"), DEC B1\n",
                        program(14, pc(1) + pc(84) + pc(16) + tok(34) + '1' + const(75) + '1' + const(79) + '1' + const(3140) + pc(2) + '0'
                                + '1' + pc(438) + pc(0) + '0' + var(2, B1, True) + '0' + '0' + END), {})
# 12 LOOKDOWN with a comparison, forward GOTO
lk = pc(5) + tok(17) + '010' + const(1) + '0' + '1' + const(2) + '0' + '0' + var(2, B1, True) + '0'
after = s + len(lk) + 21
progs['p12_lookdown_goto'] = (hdr('VD2', '2.5') + "LOOKDOWN 5, >= [1, 2], B1\nGOTO done\ndone:\n",
                              program(14, lk + tok(9) + addr(after) + END), {})

for name, (src, bits, data) in progs.items():
    open(name + '.bas', 'w').write(src)
    open(name + '.pkt', 'w').write(packets(bits, data))
print(len(progs))

# Every formatter, by the rule: 256 + radix code + 16 * (16 - digits) + 512 when fixed
# + 1024 signed + 2048 indicated.
def fmt_value(name):
    pre = ''
    for p in ('IS', 'S', 'I'):
        if name.startswith(p) and name[len(p):len(p) + 3] in ('DEC', 'HEX', 'BIN'):
            pre = p; break
    base = name[len(pre):len(pre) + 3]
    rest = name[len(pre) + 3:]
    radix = {'DEC': 6, 'HEX': 0, 'BIN': 14}[base]
    digits = int(rest) if rest else {'DEC': 5, 'HEX': 4, 'BIN': 16}[base]
    v = 256 + radix + 16 * (16 - digits) + (512 if rest else 0)
    if 'S' in pre: v += 1024
    if 'I' in pre: v += 2048
    return v
names = []
for base, n in (('DEC', 5), ('HEX', 4), ('BIN', 16)):
    forms = [base] + [base + str(i) for i in range(1, n + 1)]
    prefixes = ['', 'S'] + ([] if base == 'DEC' else ['I', 'IS'])
    for p in prefixes:
        names += [p + f for f in forms]
assert len(names) == 100, len(names)
assert fmt_value('DEC') == 438 and fmt_value('DEC1') == 1014 and fmt_value('SDEC') == 1462
assert fmt_value('HEX') == 448 and fmt_value('IHEX') == 2496 and fmt_value('BIN') == 270
assert fmt_value('BIN16') == 782 and fmt_value('ISBIN16') == 3854
body = pc(84) + pc(16) + tok(32)
items = []
for i, name in enumerate(names):
    items.append(const(fmt_value(name)) + '1' + var(2, B1) + '0')
body += '1'.join(items) + '0'
src = hdr('VD2', '2.5') + "DEBUG " + ",\n  ".join(n + " B1" for n in names) + "\n"
open('p13_every_formatter.bas', 'w').write(src)
open('p13_every_formatter.pkt', 'w').write(packets(program(14, body + END)))
# Input formatters, NUM and SNUM on the VD2E.
inputs = ['DEC', 'SHEX2', 'IBIN', 'ISHEX4', 'NUM', 'SNUM']
vals = {'NUM': 4358, 'SNUM': 5382}
body = pc(1) + pc(84) + pc(16) + tok(34)
body += '1'.join(pc(vals.get(n) or fmt_value(n)) + pc(0) + '0' + var(2, B1, True) + '0' for n in inputs) + '0'
src = hdr('VD2E', '2.5') + "DEBUGIN " + ", ".join(n + " B1" for n in inputs) + "\n"
open('p14_input_formatters.bas', 'w').write(src)
open('p14_input_formatters.pkt', 'w').write(packets(program(14, body + END)))
print('formatters done')
