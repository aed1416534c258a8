// The directory module: directory objects and the operations on whole trees.
#pragma once

// Start: the disk evaluation of cDir remembers no device yet.
void new_cpath_dir();
// End: releases what the module keeps; safe when it never started.
void end_cpath_dir();
