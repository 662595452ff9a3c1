// No code: the test DLLs built from this exist only for their resources.
