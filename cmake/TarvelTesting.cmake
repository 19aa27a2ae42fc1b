include(GoogleTest)

# tarvel_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# One test executable per source folder. Every test runs offscreen, so widget tests need no display;
# GUI tests get a QApplication from their main, the others a QCoreApplication.
function(tarvel_add_test name)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    if(T_GUI)
        target_link_libraries(${name} PRIVATE tarvel_test_gui_main)
    else()
        target_link_libraries(${name} PRIVATE tarvel_test_core_main)
    endif()
    target_link_libraries(${name} PRIVATE ${T_LIBS} tarvel_test_support GTest::gtest)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 120
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
