# cmake -DSOURCE=file -DTARGET=file.gz -P gzip_file.cmake: writes SOURCE
# gzip-compressed to TARGET.
file(ARCHIVE_CREATE OUTPUT ${TARGET} PATHS ${SOURCE} FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
