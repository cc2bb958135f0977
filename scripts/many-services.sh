#!/usr/bin/env bash
# A second Wine prefix with 1,200 extra demand-start services, for the tests and the benchmark that
# need a service manager with more entries than one enumeration buffer holds.
#   many-services.sh [up]   create it once (later calls reuse it) and keep its Wine server up
#   many-services.sh down   stop its Wine server
# The prefix is $ORVANE_MANY_PREFIX, by default $ORVANE_BUILD/wine/prefix-many.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
export ORVANE_WINEPREFIX=${ORVANE_MANY_PREFIX:-$ORVANE_BUILD/wine/prefix-many}
orvane_wine_env

if [ "${1:-up}" = down ]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi

# The services, in regedit's UTF-16 format (one display name and description are Chinese). Every
# hundredth description is an indirect string; one names a file that does not exist, one is in the
# form an INF file leaves. Some svchost services name their group in another case. One driver has no
# image path.
many_services_reg() {
    python3 - <<'PY'
count = 1200
out = ["Windows Registry Editor Version 5.00", ""]
def text(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'
def expand(s):  # REG_EXPAND_SZ as hex(2): UTF-16LE with its terminator
    data = (s + "\0").encode("utf-16-le")
    return "hex(2):" + ",".join("%02x" % b for b in data)
for i in range(1, count + 1):
    name = "OrvaneMany%04d" % i
    key = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\" + name
    out.append("[%s]" % key)
    out.append('"Type"=dword:00000010')
    out.append('"Start"=dword:00000003')
    out.append('"ErrorControl"=dword:00000001')
    if i % 50 == 7:
        out.append('"ImagePath"=' + expand("%%SystemRoot%%\\system32\\orvane_many%04d.exe" % i))
    elif i % 50 == 17:
        out.append('"ImagePath"=' + text("\\SystemRoot\\System32\\orvane_many%04d.exe" % i))
    elif i % 50 == 27:
        group = {77: "NetSvcs", 127: "localService"}.get(i % 200, "netsvcs")
        out.append('"ImagePath"=' + text('"C:\\Program Files\\Orvane\\many%04d.exe" -k %s' % (i, group)))
    else:
        out.append('"ImagePath"=' + text("C:\\orvane\\many\\svc%04d.exe" % i))
    if i == 1197:
        out.append('"DisplayName"=' + text("测试服务 %04d" % i))
        out.append('"Description"=' + text("中文描述 %04d" % i))
    elif i == 1198:
        pass  # neither display name nor description
    else:
        out.append('"DisplayName"=' + text("Orvane many %04d" % i))
        if i == 1199:
            out.append('"Description"=' + text("@%SystemRoot%\\system32\\orvane-none.dll,-8"))
        elif i == 1196:
            out.append('"Description"=' + text("@umpass.inf,%umpass.SVCDESC%;Microsoft UMPass Driver"))
        elif i % 100 == 0:
            out.append('"Description"=' + text("@%SystemRoot%\\system32\\shell32.dll,-8"))
        else:
            out.append('"Description"=' + text("Test service number %04d" % i))
    if i % 10 == 3:
        out.append('"Group"=' + text("OrvaneGroup"))
    out.append("")
    if i % 50 == 27:
        out.append("[%s\\Parameters]" % key)
        out.append('"ServiceDll"=' + text("C:\\orvane\\many\\svc%04d.dll" % i))
        out.append("")
# A driver without an image path: the kernel loads it from the drivers folder by its name.
out.append("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\OrvaneNoPathDriver]")
out.append('"Type"=dword:00000001')
out.append('"Start"=dword:00000003')
out.append('"ErrorControl"=dword:00000001')
out.append('"DisplayName"=' + text("Orvane driver without an image path"))
out.append("")
print("\r\n".join(out))
PY
}

orvane_wine_prefix
# The marker names the generator's version: a prefix filled by an older one is filled again.
marker="$WINEPREFIX/.orvane-many-3"
if [ ! -f "$marker" ]; then
    reg="$ORVANE_BUILD/many-services.reg"
    many_services_reg | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
    orvane_quiet "$ORVANE_BUILD/many-services.log" wine regedit /S "$reg"
    # The service manager reads the Services key when it starts: the next process starts a new one.
    wineserver -k 2>/dev/null || true
    wineserver -w
    touch "$marker"
fi
# Up for the tests, with the service manager started here, so that no test's output pipe is held by
# Wine's helper processes.
orvane_wine_start
echo "many-services prefix ready: $WINEPREFIX"
