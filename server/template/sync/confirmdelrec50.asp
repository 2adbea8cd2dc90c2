<%
// The desktop's synchronisation: one request, one method, a plain-text reply.
// "/archivi" is the folder that holds one folder per shop; "/db" the
// host's own database with the shop accounts.
var aggiornamento = Server.CreateObject("QTR50.Aggiornamento");
aggiornamento.ImpostaPercorsoArchivi(Server.MapPath("/archivi"));
aggiornamento.ConfermaCancellazioneDati();
aggiornamento.Free();
%>