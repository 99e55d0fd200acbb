-- The request a stored first answer belongs to (a digest of its method and parameters): a key
-- sent again with another request is refused rather than answered with the first one's answer.
ALTER TABLE IDEMPOTENCIA ADD COLUMN DSPEDIDO VARCHAR(64) NOT NULL DEFAULT '';
