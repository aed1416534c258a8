// The buffered file module: what the disk evaluation of cFile remembers.
#pragma once

// Start: no device probed yet.
void new_cpath_file();
// End: releases the remembered device; safe when the module never started.
void end_cpath_file();
