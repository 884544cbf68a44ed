# The behaviour the list views share, driven in the real main window.
murvel_add_test(murvel_glyphlistwindow_tests
  SOURCES glyphlistwindow_test.cpp ../mainwindow/qtenvironment.cpp ../mainwindow/fakeviews.cpp
    ../mainwindow/mainwindowfixture.cpp
  LIBS murvel_views platform_profile Qt6::Test
  FIXTURES basic)
