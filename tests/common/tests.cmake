# What both programs share: the registry store over the real registry.
brivane_folder_test(test_common WINDOWS_ONLY DIR common LIBS brivane_common)
