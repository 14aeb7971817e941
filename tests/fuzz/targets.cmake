# The fuzz targets: tests/fuzz/<name>_fuzz.cpp each. The fuzz build
# (tests/fuzz/CMakeLists.txt) makes libFuzzer programs of them; the native
# build replays each one's regressions/ and seeds/ folders as a unit test.
set(FUZZ_TARGETS
  gamelist_table   # the game table reader, whole documents
  size_text        # size texts of any 64-bit length
  short_name       # short-name folding and the document lookup
  search_match     # search matching and the sort comparison
  sort_keys        # the Played and Size sorts against references of their order
  lang_text        # language-string line breaks and one-integer formats
  text_load        # the text loader's line-end conversion
  launch_compose   # emulator parameters, verification name check, counter path
  snapshot_paths   # snapshot candidates and converter arguments
  packed_bitmap    # packed-bitmap header and fit checks
  layout_magnet    # layout and Magnet arithmetic
  menu             # menu-help key, key prediction, menu text measuring
  buttonex         # button mnemonic and text rules
  ini_section      # settings and counter file sections
  shell_texts      # installation paths, web addresses and other shell texts
  mkgamelist_row      # mkgamelist: row composition, table order, the document read back
  mkgamelist_doctype  # mkgamelist: the DOCTYPE filter in any pieces, the usage-switch check
)
# Portable sources outside the subsystem folders that a target needs.
set(FUZZ_EXTRA_SOURCES "")
foreach(f machine_row doctype_filter table_collector document usage_switches)
  list(APPEND FUZZ_EXTRA_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../../companions/mkgamelist/${f}.cpp)
endforeach()
