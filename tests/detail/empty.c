/* The version-record test files are DLLs with no code of their own. */
