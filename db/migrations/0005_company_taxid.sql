-- The company's CNPJ, which the compensation notice names beside the counterpart's tax id.
ALTER TABLE EMPRESA ADD COLUMN NRINSJUREMPR VARCHAR(20);
