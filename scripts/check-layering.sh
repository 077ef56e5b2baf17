#!/usr/bin/env bash
# Checks that the layers stay apart. ./test.sh runs it after the build.
#
#   scripts/check-layering.sh [build-dir]     (default: build)
#   scripts/check-layering.sh --list-globals [build-dir]
#       prints the writable globals of rule 4, one per line
#
# Rules (each failure names the file and the rule):
#  1. Engine sources hold no Qt. A file in core/, knitting/, editor/, garment/
#     or shell/ that is not inside a ui/ folder includes no Qt header
#     (<QString>, <QtCore/...>, <qglobal.h>, ui_*.h, moc_*): the engine
#     libraries are plain C++ and are tested without Qt.
#  2. The editor and the garments know nothing of knitting. No file in editor/
#     or garment/ (their ui/ folders included) includes a knitting/ header.
#  3. Pages never include each other. A page is a header named *Page.h in a
#     subsystem's ui/ folder (editor/ui/DrawingPage.h, knitting/ui/LinkPage.h,
#     ...). Only these may include a page: shell/ui/MainWindow.* (the one place
#     that connects the pages), main.cpp, the page's own files (in its folder,
#     named after it: DrawingPage.cpp, DrawingPage*.h/.cpp), tests/ and bench/,
#     and tools/manualshots/ (which drives the pages like a test to picture them).
#  4. The engine libraries hold no mutable globals. In the engine libraries of
#     the build (liblc_core.a, liblc_knitting.a, liblc_editor.a,
#     liblc_garment.a, liblc_shell.a; not the *_ui ones) no object lives in a
#     writable data section (.data, .bss, .tdata, .tbss and their named
#     subsections): whether global (nm types B, D, V, u), file-static (b, d) or
#     a function-local static. State belongs to the workspace that main()
#     creates; a constant is constexpr so that it lands in read-only data
#     (types R/r, or .data.rel.ro, which is read-only once loaded).
#     Ignored, being the compiler's and not ours: guard variables, vtables,
#     VTT, typeinfo, DW.ref.* personality/typeinfo pointers, names that start
#     with "__" and symbols of std:: and __gnu_cxx::.
#     CONSTANTS below lists the few const objects whose initialiser runs at
#     start-up (a std::string, a map): the compiler keeps them in .bss, so nm
#     cannot tell them from state. Add to it only a const object that cannot be
#     constexpr, and say why.
#
# There are no exceptions: a fault is mended in the code.
set -euo pipefail
trap 'echo "layering: the check itself failed at line $LINENO" >&2' ERR
cd "$(dirname "$0")/.."

list_globals=0
if [ "${1:-}" = --list-globals ]; then list_globals=1; shift; fi
build=${1:-build}

# Const objects initialised at start-up (see rule 4), never written afterwards.
# None today: every table of the engine is constexpr.
CONSTANTS=()

subsystems=(core knitting editor garment shell)
engine_libs=(core knitting editor garment shell)

failures=()
fail() { failures+=("$1"); }

# --- includes ---------------------------------------------------------------

# Every "#include" of our sources as: file<TAB>line<TAB>included path.
roots=()
for d in "${subsystems[@]}" tests bench fuzz tools; do [ -d "$d" ] && roots+=("$d"); done
includes=$(find "${roots[@]}" -type f \
        \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' -o -name '*.inl' \) -print0 |
    sort -z | { xargs -0 grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' || true; } |
    sed -E 's/^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1\t\2\t\3/')

[ -n "$includes" ] || fail "no #include found under ${subsystems[*]}: run the check from the source tree"

pages=()
for s in "${subsystems[@]}"; do
    for p in "$s"/ui/*Page.h; do [ -f "$p" ] && pages+=("$p"); done
done

while IFS=$'\t' read -r file line target; do
    [ -z "$file" ] && continue
    top=${file%%/*}
    base=${target##*/}
    in_ui=0; [[ "/$file" == */ui/* ]] && in_ui=1

    # Rule 1: no Qt in the engine.
    if [[ " ${subsystems[*]} " == *" $top "* ]] && [ $in_ui = 0 ]; then
        if [[ "$target" =~ ^Q || "$target" =~ ^Qt[A-Za-z]*/ || "$target" =~ ^q[a-z0-9_]*\.h$ ||
              "$base" =~ ^ui_.*\.h$ || "$base" =~ ^moc_ || "$base" =~ \.moc$ ]]; then
            fail "$file:$line includes <$target>: engine sources are plain C++; Qt belongs in a ui/ folder"
        fi
    fi

    # Rule 2: editor/ and garment/ never include knitting/.
    if [[ "$top" == editor || "$top" == garment ]] && [[ "$target" =~ (^|/)knitting/ ]]; then
        fail "$file:$line includes \"$target\": the editor and the garments never depend on knitting/"
    fi

    # Rule 3: only the main window (and the page's own files, tests, benches) include a page.
    for page in "${pages[@]}"; do
        name=$(basename "$page" .h)
        [ "$base" = "$name.h" ] || continue
        [ "$file" = "$page" ] && continue
        case $file in
            shell/ui/MainWindow.* | */main.cpp | main.cpp | tests/* | bench/* | tools/manualshots/*) continue ;;
        esac
        fdir=$(dirname "$file") fbase=$(basename "$file")
        [ "$fdir" = "$(dirname "$page")" ] && [[ "$fbase" == "$name".* || "$fbase" == "$name"[A-Z]* ]] && continue
        fail "$file:$line includes the page \"$target\": pages never include each other; only shell/ui/MainWindow connects them"
    done
done <<<"$includes"

# --- writable globals in the engine libraries -------------------------------

declare -A constants=()
for c in "${CONSTANTS[@]}"; do constants["$c"]=1; done

# Writable data objects as: library<TAB>object file<TAB>demangled name.
writable_data() {
    local lib path
    for lib in "${engine_libs[@]}"; do
        path="$build/$lib/liblc_$lib.a"
        [ -f "$path" ] || continue  # a subsystem without engine sources builds no archive
        nm -C --defined-only --format=sysv "$path" | awk -F'|' -v lib="liblc_$lib.a" '
            /^Symbols from / { obj = $0; sub(/^.*\[/, "", obj); sub(/\].*$/, "", obj); next }
            NF >= 7 {
                sec = $NF; gsub(/ /, "", sec)
                if (sec !~ /^\.(t?data|t?bss)(\.|$)/ || sec ~ /^\.data\.rel\.ro(\.|$)/) next
                name = $1; for (i = 2; i <= NF - 6; i++) name = name "|" $i
                sub(/ +$/, "", name); gsub(/\[abi:[A-Za-z0-9_]+\]/, "", name)
                if (name ~ /^(guard variable for |vtable for |VTT for |construction vtable for |typeinfo for |typeinfo name for |DW\.ref\.|__|std::|__gnu_cxx::)/) next
                print lib "\t" obj "\t" name
            }'
    done | sort -u
}

if [ $list_globals = 1 ]; then
    writable_data | while IFS=$'\t' read -r lib obj name; do
        [ -n "${constants[$name]:-}" ] || echo "$name"
    done | sort -u
    exit 0
fi

if [ ! -d "$build" ]; then
    fail "$build: no such build folder (build first, or name the build folder)"
else
    found=0
    for lib in "${engine_libs[@]}"; do [ -f "$build/$lib/liblc_$lib.a" ] && found=1; done
    [ $found = 1 ] || fail "$build: no engine library (liblc_*.a) found to check for globals"
    while IFS=$'\t' read -r lib obj name; do
        [ -z "$lib" ] && continue
        [ -n "${constants[$name]:-}" ] && continue
        src=${obj%.o}
        fail "$lib ($src) defines the writable global \"$name\": the engine holds no mutable globals; keep the state in the workspace, or make a constant constexpr"
    done < <(writable_data)
fi

if [ ${#failures[@]} -gt 0 ]; then
    printf 'layering: %s\n' "${failures[@]}" | sort >&2
    echo "layering: ${#failures[@]} fault(s); the rules are in scripts/check-layering.sh" >&2
    exit 1
fi
echo "layering: fine"
