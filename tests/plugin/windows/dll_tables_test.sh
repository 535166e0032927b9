#!/usr/bin/env bash
# The plug-in DLL's tables, as the modeller's loader reads them: it exports
# CreatePlugIn and nothing else, and imports only from the system's own DLLs and the
# host's msModelLib.dll, of which only the ten functions a plug-in may call.
#   dll_tables_test.sh OBJDUMP DLL
set -euo pipefail
objdump=$1
dll=$2
tables=$("$objdump" -p "$dll")
status=0

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$tables" | sed -n 's/^\s*\[ *[0-9]*\] //p')
if [ "$exports" != "CreatePlugIn" ]; then
  echo "$dll exports: ${exports//$'\n'/, } (only CreatePlugIn may be exported)" >&2
  status=1
fi

system_dlls="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  shell32.dll user32.dll uxtheme.dll"
while read -r name; do
  lower=${name,,}
  if [ "$lower" != "msmodellib.dll" ] && ! grep -qw -- "$lower" <<<"$system_dlls"; then
    echo "$dll imports from $name, which is neither a system DLL nor msModelLib.dll" >&2
    status=1
  fi
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$tables")

allowed="msModel_GetMeshCount msModel_GetBoneCount msModel_GetMaterialCount msModel_GetBoneAt
  msBone_GetName msBone_GetComment msBone_GetFlags msModel_GetComment msModel_SetComment
  msBone_SetComment"
while read -r function; do
  if ! grep -qw -- "$function" <<<"$allowed"; then
    echo "$dll imports $function from msModelLib.dll, which is not one of the host's ten" >&2
    status=1
  fi
done < <(sed -n '/DLL Name: msModelLib.dll/,/^$/p' <<<"$tables" | awk 'NR > 2 && NF == 3 { print $3 }')
exit $status
