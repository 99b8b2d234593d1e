# The summary's printing test prints onto the private CUPS queue (tests/reports/tests.cmake).
corvalla_prints_on_queue(tst_summary_print)
