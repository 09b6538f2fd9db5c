// Byte-token codes live here.
