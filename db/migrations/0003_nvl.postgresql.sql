-- The look-up statements use Oracle's NVL; SQLite gets it registered per connection.
CREATE OR REPLACE FUNCTION nvl(anycompatible, anycompatible) RETURNS anycompatible
    LANGUAGE sql IMMUTABLE AS 'SELECT COALESCE($1, $2)';
