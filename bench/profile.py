# Per-function shares of the samples perf took in a Windows program under Wine.
# Usage: profile.py PROGRAM.exe perf.data [COMMAND]
# COMMAND: only the samples of processes of that name (a program the benchmark starts).
import subprocess, sys, bisect, collections
exe, data = sys.argv[1], sys.argv[2]
comm = sys.argv[3] if len(sys.argv) > 3 else None
syms = []
for line in subprocess.run(['x86_64-w64-mingw32-nm', '-C', '--defined-only', exe], capture_output=True, text=True).stdout.splitlines():
    parts = line.split(' ', 2)
    if len(parts) == 3 and parts[1] in 'tT':
        syms.append((int(parts[0], 16), parts[2]))
syms.sort()
addrs = [s[0] for s in syms]
out = subprocess.run(['perf', 'script', '-i', data, '-F', 'comm,ip,dso'], capture_output=True, text=True).stdout
counts = collections.Counter(); total = 0; other = collections.Counter()
for line in out.splitlines():
    f = line.split()
    if len(f) < 3: continue
    if comm and f[0] != comm[:15]: continue
    f = f[1:]
    total += 1
    ip = int(f[0], 16)
    if 0x140000000 <= ip < 0x150000000:
        i = bisect.bisect_right(addrs, ip) - 1
        counts[syms[i][1][:110] if i >= 0 else '?'] += 1
    else:
        other[f[1]] += 1
exe_total = sum(counts.values())
print(f'samples {total}, in the exe {exe_total}')
for name, n in counts.most_common(40):
    print(f'{100*n/exe_total:6.2f}%  {name}')
print('outside:', other.most_common(8))
