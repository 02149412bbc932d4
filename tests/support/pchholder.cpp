// Holds the precompiled header that the test programs of one kind in one folder share
// (tivrel_test_pch in tests/CMakeLists.txt); it compiles to nothing.
