# Sourced by the benchmarks. make_tree FOLDER STEP BASE: 6 top folders x 5 subfolders x 5 files = 150 files of
# BASE to BASE + 5 x STEP bytes, long and 8.3 names mixed.
make_tree() {
    for a in 1 2 3 4 5 6; do
        for b in 1 2 3 4 5; do
            dir="$1/Project folder $a/Part $b"
            mkdir -p "$dir"
            for c in 1 2 3 4 5; do
                head -c $(( (a * 7 + b * 3 + c) % 6 * $2 + $3 )) /dev/urandom > "$dir/Report number $c of part $b.txt"
            done
            mv "$dir/Report number 5 of part $b.txt" "$dir/DATA$a$b.BIN"
        done
    done
}
