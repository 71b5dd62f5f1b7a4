/* ispInit2 is also exported under its decorated standard-call name. */
"_ispInit2@0" = ispInit2;
