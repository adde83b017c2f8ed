#!/usr/bin/env python3
"""Writes the folders the driver and tools.sh run over into the folder given: the samples, a
folder for each rule of start-up, files and meters worth telling apart, and a generated file of
10,000 verse lines."""
import os, shutil, sys

out = sys.argv[1]
here = os.path.dirname(os.path.abspath(__file__))
samples = os.path.join(here, '..', '..', '..', 'shared', 'samples')
if not os.path.isdir(samples):
    samples = os.path.join(here, '..', '..', 'samples')
sonnet = os.path.join(samples, 'sonnet18', 'sonnet18.txt')
tyger = os.path.join(samples, 'tyger', 'tyger.txt')


def memory(name, line, spacing):
    rows = ['Filename:', name, 'Last line done:', line, 'Maximum value for stress:', '4',
            'Minimum value for stress:', '1', 'Maximum value for juncture:', '4',
            'Minimum value for juncture:', '1', 'Spacing of buttons:', spacing]
    return ''.join(r + '\r\n' for r in rows).encode()


def put(folder, name, data):
    path = os.path.join(out, folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def read(path):
    with open(path, 'rb') as f:
        return f.read()


pentameter = b'W\tS\tW\tS\tW\tS\tW\tS\tW\tS\r\n'
for sample in ('sonnet18', 'sonnet116', 'tyger'):
    shutil.copytree(os.path.join(samples, sample), os.path.join(out, sample), dirs_exist_ok=True)
put('nomemory', 'sonnet18.txt', read(sonnet)); put('nomemory', 'meter.txt', pentameter)
put('fallback', 'in.txt', read(sonnet)); put('fallback', 'meter.txt', pentameter)
put('fallback', 'RememberEarlierRun.txt', memory('gone.txt', '3', '0'))
put('ownmeter', 'a.txt', read(sonnet)); put('ownmeter', 'b.txt', read(tyger))
put('ownmeter', 'meter.txt', b'W\tS\tW\tS\r\n'); put('ownmeter', 'a.meter.txt', b'S\tW\tS\tW\tS\tW\tS\r\n')
put('ownmeter', 'RememberEarlierRun.txt', memory('a.txt', '2', '900'))
put('nometer', 'sonnet18.txt', read(sonnet)); put('nometer', 'RememberEarlierRun.txt', memory('sonnet18.txt', '1', '0'))
bad = read(sonnet)[:900] + b'7\tnonsense\tx\r\n'
put('badrecord', 'bad.txt', bad); put('badrecord', 'meter.txt', pentameter)
put('badrecord', 'RememberEarlierRun.txt', memory('bad.txt', '1', '0'))
put('memory13', 'sonnet18.txt', read(sonnet)); put('memory13', 'meter.txt', pentameter)
put('memory13', 'RememberEarlierRun.txt', b'\r\n'.join(memory('sonnet18.txt', '9', '0').split(b'\r\n')[:13]) + b'\r\n')
put('memoryhuge', 'sonnet18.txt', read(sonnet)); put('memoryhuge', 'meter.txt', pentameter)
put('memoryhuge', 'RememberEarlierRun.txt', memory('sonnet18.txt', '9', '0').replace(b'\r\n1\r\n', b'\r\n4000000000\r\n'))
put('switchbad', 'sonnet18.txt', read(sonnet)); put('switchbad', 'meter.txt', pentameter)
put('switchbad', 'zbad.txt', bad); put('switchbad', 'RememberEarlierRun.txt', memory('sonnet18.txt', '4', '0'))
put('subfolder', 'sonnet18.txt', read(sonnet)); put('subfolder', 'meter.txt', pentameter)
put('subfolder', 'sub/tyger.txt', read(tyger)); put('subfolder', 'sub/meter.txt', b'S\tW\tS\tW\tS\tW\tS\r\n')
put('subfolder', 'RememberEarlierRun.txt', memory('sonnet18.txt', '2', '0'))
rows = [b'1\tsyllables\tCaf\xe9 na\xefve\tCa\tf\xe9\tna\tive', b'1\tstress\tCaf\xe9 na\xefve\t1\t3\t1\t3',
        b'1\tjuncture\tCaf\xe9 na\xefve\t1\t2\t1\t4', b'1\tcomment\tCaf\xe9 na\xefve\t\xabnote\xbb\twith tab',
        b'2\tsyllables\tSec ond\t Sec \t\tond', b'2\tstress\tSec ond\t2\t \t1', b'2\tjuncture\tSec ond\t2',
        b'2\tcomment\tSec ond\t']
put('cp1252', 'cp.txt', b'\r\n'.join(rows) + b'\r\n'); put('cp1252', 'meter.txt', b'W\tS\tW\tS\r\n')
put('empty', 'e.txt', b''); put('empty', 'meter.txt', b'W\tS\r\n')
records = read(sonnet).split(b'\r\n')
records = [records[i:i + 4] for i in range(0, len(records) - 1, 4) if len(records[i:i + 4]) == 4]
long_rows = []
for j in range(1, 10001):
    for row in records[(j - 1) % len(records)]:
        fields = row.split(b'\t')
        fields[0] = str(j).encode()
        long_rows.append(b'\t'.join(fields))
put('gen10k', 'long.txt', b'\r\n'.join(long_rows) + b'\r\n'); put('gen10k', 'meter.txt', pentameter)
