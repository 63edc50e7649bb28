# The document loader on hostile input, with the standard elements registered: a dialog document
# file (unknown elements skipped) and a clipboard entry in the binary format (unknown refused).
set(VELL_LOADITEMS_LINKS DialogLayoutItems Q4Support VELLMVA2 VELLCore)
vell_add_fuzzer(fuzz_loaditems_xml SOURCES fuzz_loaditems_xml.cpp loaditemsinput.cpp
                LINKS ${VELL_LOADITEMS_LINKS})
vell_add_fuzzer(fuzz_loaditems_binary SOURCES fuzz_loaditems_binary.cpp loaditemsinput.cpp
                LINKS ${VELL_LOADITEMS_LINKS})
