#!/usr/bin/env bash
# Writes the seed inputs of fuzz_card_file: small card files, valid and
# broken, one shape each. Bytes are Windows-1252; records end in CR LF.
set -euo pipefail
cd "$(dirname "$0")/card_file"

# Valid files.
printf '0    \r\n0 6    Agenda\r\n' >main_only.ctu
printf '2    \r\n0 6    Agenda\r\n3 Pan1    x\r\n4 Pan25    @@Pan\r\n' >sister.ctu
printf '3    \r\n0 4    Tres\r\n1 A5    texto\r\n1 B3    @@A\r\n1 C3    @@A\r\n' >three_sisters.ctu
printf '1    \r\n0 6    Inicio\r\n5 Alias2    @@\r\n' >sister_of_main.ctu
printf '2    \r\n0 9    Canciones\r\n7 Canci\xf3n20   {N}La{N} \xabA\xf1o nuevo\xbb\r\n9 A\xf1o nuevo12   Ni\xf1o {C}y{C}\r\n' >accents.ctu
printf '2    \r\n0 5    Notas\r\n13Ficha maestra16   Autor: \r\nFecha: \r\n7  oculta4    nada\r\n' >master_and_hidden.ctu
printf '1    \r\n0 10   T\xedtulo\r\nl2\r\n4 Poem18   uno\r\ndos\r\n\r\ntres\r\n\r\n' >multiline.ctu
printf '12   \r\n0 4    Doce\r\n1 a1    1\r\n1 b1    2\r\n1 c1    3\r\n1 d1    4\r\n1 e1    5\r\n1 f1    6\r\n1 g1    7\r\n1 h1    8\r\n1 i1    9\r\n1 j1    0\r\n1 k3    @@a\r\n1 l3    @@k\r\n' >twelve.ctu
printf '0    \r\n0 3    Fin\r\nlo que sigue no se lee' >trailing_bytes.ctu
printf '2    \r\n0 1    x\r\n0 5    Otro!\r\n1 Z0    \r\n' >two_main_records.ctu

# Valid to read, but not all of it can be written back, or read back the same.
printf '0    \r\n0 3    @@x\r\n' >main_text_at_at.ctu
printf '3    \r\n0 1    D\r\n3 Pan1    x\r\n3 PAN1    y\r\n1 Q5    @@pan\r\n' >entries_differ_in_case.ctu
# Saved as read, the reference to S's text would name X, which x shadows.
printf '3    \r\n0 1    M\r\n1 S1    t\r\n1 x1    u\r\n1 X3    @@S\r\n' >sister_name_shadowed.ctu

# Broken files.
: >empty.ctu
printf '012  \r\n0 1    x\r\n' >header_leading_zero.ctu
printf '1 2  \r\n0 1    x\r\n' >header_split.ctu
printf 'abc  \r\n0 1    x\r\n' >header_letters.ctu
printf '40000\r\n0 1    x\r\n' >header_overflow.ctu
printf -- '-1   \r\n0 1    x\r\n' >header_negative.ctu
printf '2    \r\n0 6    Agenda\r\n3 Pan1    x\r\n' >truncated.ctu
printf '1    \r\n0 1    x\r\n3 Pan99   corto\r\n' >text_past_end.ctu
printf '1    \r\n0 1    x\r\n3 Pan7    @@Nadie\r\n' >unknown_sister.ctu
printf '1    \r\n0 1    x\r\n-1Pan1    x\r\n' >negative_entry_length.ctu
