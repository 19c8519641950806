# The grid's portable half (its file, its clipboard text, its row and column
# sizes) in both builds.
brivane_folder_test(test_controls_grid DIR controls/grid LIBS controls_grid)
